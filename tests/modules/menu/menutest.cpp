#include "menutest.h"

#include "appstate.h"
#include "commandcalls.h"
#include "kovaformmsw.h"
#include "kovataskbaricon.h"
#include "nativemenu.h"
#include "nxamenu.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>

MenuTest::MenuTest() : centre({&nxaMenu::Frame::Descriptor()}) {}

void MenuTest::SetUp()
{
    ASSERT_TRUE(centre.Initialised());
}

void MenuTest::TearDown()
{
    for (KovaFormMSW* form : m_forms) {
        if (!wxTheApp->IsScheduledForDestruction(form))
            delete form;
    }
    GetAppState().SetTrayIcon(nullptr);
    KovaTaskBarIcon::SetBalloonSender(nullptr);
}

KovaFormMSW* MenuTest::MakeForm(int32_t formId, FormSettings settings)
{
    KovaFormMSW* form = fixture.MakeForm(settings, PackageSettings(), ByteVector(), formId);
    m_forms.push_back(form);
    return form;
}

KovaTaskBarIcon& MenuTest::AddTrayIcon()
{
    wxBitmap image(16, 16);
    {
        wxMemoryDC dc(image);
        dc.SetBackground(*wxBLUE_BRUSH);
        dc.Clear();
    }
    wxIcon icon;
    icon.CopyFromBitmap(image);
    auto tray = std::make_unique<KovaTaskBarIcon>();
    KovaTaskBarIcon& made = *tray;
    made.SetIcon(icon, "start-up");
    GetAppState().SetTrayIcon(std::move(tray));
    return made;
}

int32_t MenuTest::Create(const std::string& kind, int32_t formId, int32_t callerId)
{
    return std::stoi(CallCommandSync("nxa.Menu." + kind + ".create", "", formId, callerId));
}

std::vector<std::string> MenuTest::Events() const
{
    std::vector<std::string> lines;
    for (const AsyncEventData& event : capture.Events()) {
        lines.push_back(std::to_string(event.formId) + "/" + std::to_string(event.callerId) + " " +
                        wxString(event.eventName).ToStdString() + " " + wxString(event.payload).ToStdString());
    }
    return lines;
}

std::vector<NativeItem> ContextItems(KovaFormMSW& form)
{
    return ReadNativeMenu(static_cast<HMENU>(form.ContextMenu().GetHMenu()));
}

std::vector<NativeItem> TrayItems(KovaTaskBarIcon& icon)
{
    return ReadNativeMenu(static_cast<HMENU>(icon.Items().GetHMenu()));
}
