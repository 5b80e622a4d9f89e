#include "formfixture.h"

#include "cpackage.h"
#include "cpackageform.h"
#include "flashhost.h"
#include "formcreation.h"
#include "kovaformmsw.h"
#include "packagereader.h"
#include "packagewriter.h"
#include "textfile.h"
#include "wholefile.h"

#include <wx/app.h>
#include <wx/display.h>

#include <cstdio>
#include <functional>
#include <stdexcept>

FormFixture::FormFixture() : m_transcript(m_folder / L"transcript.txt")
{
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", m_transcript.c_str());
    if (!FlashHost::Get().Load())
        throw std::runtime_error("the stand-in player did not load");
}

FormFixture::~FormFixture()
{
    FlashHost::Get().Unload();
    SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);
}

KovaFormMSW* FormFixture::MakeForm(const FormSettings& settings, const PackageSettings& packageSettings,
                                   const ByteVector& mask, int32_t formId)
{
    PackageContent content;
    content.settings = packageSettings;
    FormContent form;
    form.settings = settings;
    form.mask.image = mask;
    form.movie = m_movie;
    content.forms.push_back(form);
    PackageWriter writer;
    writer.WritePackage(content);
    const std::wstring path = m_folder / (L"package" + std::to_wstring(m_packages.size()) + L".bin");
    if (!WriteWholeFile(path, writer.Bytes().data(), static_cast<long>(writer.Bytes().size())))
        throw std::runtime_error("cannot write the package");
    auto package = std::make_unique<CPackage>();
    PackageReader reader(OpenFileWide(path, L"rb"), true);
    if (!package->Read(reader) || package->Forms().size() != 1)
        throw std::runtime_error("the package does not read");
    const CPackageForm& definition = *package->Forms().front();
    const wxSize display = wxDisplay(0u).GetGeometry().GetSize();
    auto* made = new KovaFormMSW(nullptr, *package, definition,
                                 BuildInstanceParams(package->Settings(), definition.Settings()), formId,
                                 FormPosition(definition.Settings(), display), FormSize(definition.Settings(), display),
                                 FormStyle(package->Settings(), definition.Settings(), formId));
    m_packages.push_back(std::move(package));
    return made;
}

void FormFixture::Mark()
{
    m_mark = SplitLines(ReadFileText(m_transcript)).size();
}

std::vector<std::string> FormFixture::Since() const
{
    const std::vector<std::string> lines = SplitLines(ReadFileText(m_transcript));
    if (lines.size() <= m_mark)
        return {};
    return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(m_mark), lines.end());
}

bool FormFixture::Received(UINT message, WPARAM wParam) const
{
    char text[96];
    std::snprintf(text, sizeof text, "NPP_HandleEvent event=0x%x wParam=0x%llx ", message,
                  static_cast<unsigned long long>(wParam));
    for (const std::string& line : Since()) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

bool FormFixture::ReceivedAny(UINT message) const
{
    char text[64];
    std::snprintf(text, sizeof text, "NPP_HandleEvent event=0x%x ", message);
    for (const std::string& line : Since()) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

FormSettings PlainFormSettings()
{
    FormSettings settings;
    settings.name = L"plain";
    settings.title = L"plain";
    settings.noCaption = false;
    settings.width = 320;
    settings.height = 240;
    settings.altF4Allowed = true;
    return settings;
}

ByteVector BmpWithWhiteRect(int width, int height, int left, int top, int right, int bottom)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = static_cast<uint32_t>(rowBytes * height);
    ByteVector bmp(54 + imageBytes, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;  // planes
    bmp[28] = 24; // bits per pixel
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y; // bottom-up
        for (int x = 0; x < width; ++x) {
            const bool white = x >= left && x < right && y >= top && y < bottom;
            for (int channel = 0; channel < 3; ++channel)
                bmp[54 + row * rowBytes + x * 3 + channel] = white ? 255 : 0;
        }
    }
    return bmp;
}

