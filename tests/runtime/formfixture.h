#pragma once

#include "formsettings.h"
#include "messagepumping.h"
#include "packagecontent.h"
#include "packagesettings.h"
#include "scratchfolder.h"

#include <wx/msw/wrapwin.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CPackage;
class KovaFormMSW;

// Forms made in this process on the stand-in player, which writes every call
// it receives to a transcript. The plug-in is loaded while the fixture lives.
class FormFixture {
public:
    FormFixture();
    ~FormFixture();
    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;

    // Makes the form of a one-form package with these settings the way the
    // start-up does (embed parameters, style, position and size).
    KovaFormMSW* MakeForm(const FormSettings& settings, const PackageSettings& package = PackageSettings(),
                          const ByteVector& mask = ByteVector(), int32_t formId = 0);

    // The movie file that the forms made from now on play; none by default.
    void SetMovie(const ByteVector& movie) { m_movie = movie; }

    std::wstring Path(const wchar_t* name) const { return m_folder / name; }

    // Marks the end of the transcript; Since returns the lines written after it.
    void Mark();
    std::vector<std::string> Since() const;
    // Whether the plug-in received the window message since the mark:
    // "NPP_HandleEvent event=0x<message>[ wParam=0x<wParam>]".
    bool Received(UINT message, WPARAM wParam) const;
    bool ReceivedAny(UINT message) const;

private:
    ScratchFolder m_folder;
    std::wstring m_transcript;
    size_t m_mark = 0;
    ByteVector m_movie;
    std::vector<std::unique_ptr<CPackage>> m_packages;
};

// A plain form of 320 x 240 client pixels with a caption, hidden: hiding a
// shown window costs seconds under a display without a window manager.
FormSettings PlainFormSettings();

// A 24-bit BMP of the size whose pixels are white inside the rectangle
// [left, right) x [top, bottom) and black elsewhere.
ByteVector BmpWithWhiteRect(int width, int height, int left, int top, int right, int bottom);
