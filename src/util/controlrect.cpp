#include "controlrect.h"

#include "numbertext.h"

#include <cwctype>

namespace {

bool ComputeExtent(int32_t parentExtent, const std::wstring& text, int32_t& extent)
{
    if (ParseInt32(text, extent))
        return true;
    const size_t percent = text.find(L'%');
    if (percent == std::wstring::npos)
        return false;
    std::wstring number = text;
    number.erase(percent, 1);
    int32_t share;
    if (!ParseInt32(number, share))
        return false;
    share = share < 1 ? 1 : share > 100 ? 100 : share;
    extent = static_cast<int32_t>(parentExtent / 100.0 * share);
    return true;
}

// lowLetter places at 0, highLetter at the far edge, "c" in the middle.
bool ComputeOffset(int32_t parentExtent, int32_t extent, const std::wstring& text,
                   wchar_t lowLetter, wchar_t highLetter, int32_t& offset)
{
    if (text.size() == 1) {
        const wchar_t letter = static_cast<wchar_t>(std::towlower(text[0]));
        if (letter == L'c') { offset = parentExtent / 2 - extent / 2; return true; }
        if (letter == lowLetter) { offset = 0; return true; }
        if (letter == highLetter) {
            // Wraps like the 32-bit arithmetic it stands for instead of overflowing.
            offset = static_cast<int32_t>(static_cast<int64_t>(parentExtent) - extent);
            return true;
        }
    }
    return ParseInt32(text, offset);
}

} // namespace

bool ComputeControlRect(int32_t parentWidth, int32_t parentHeight,
                        const std::wstring& xText, const std::wstring& yText,
                        const std::wstring& widthText, const std::wstring& heightText,
                        ControlRect& rect)
{
    ControlRect placed;
    if (!ComputeExtent(parentWidth, widthText, placed.width)
        || !ComputeExtent(parentHeight, heightText, placed.height)
        || !ComputeOffset(parentWidth, placed.width, xText, L'l', L'r', placed.x)
        || !ComputeOffset(parentHeight, placed.height, yText, L't', L'b', placed.y))
        return false;
    rect = placed;
    return true;
}
