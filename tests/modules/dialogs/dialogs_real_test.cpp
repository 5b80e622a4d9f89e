// The Dialogs rows showing the system's real dialogs, answered from a helper
// thread that finds each dialog of this thread, reads it, types and clicks.
#include "commandcalls.h"
#include "dialogdriver.h"
#include "dialogstestsupport.h"
#include "eventcapture.h"
#include "nxadialogs.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "standinform.h"
#include "textconv.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

const int kWxOk = 5100;     // the toolkit's OK and Cancel buttons carry these ids
const int kWxCancel = 5101;
const int kFileNameBox = 0x47C; // the explorer-style dialog's file name box
const int kFilterBox = 0x470;   // and its filter list

// What one call did with its dialog.
struct DialogOutcome {
    std::string reply; // of a synchronous call; empty for an asynchronous one
    std::vector<std::string> events;
    std::optional<SeenDialog> seen;
    std::wstring trouble;
};

// Types into the first Edit (when text is given) and clicks the button.
DialogDriver::Answer TypeAndClick(std::optional<std::wstring> text, int button)
{
    return [text, button](HWND dialog) {
        if (text)
            DialogDriver::TypeIntoFirstEdit(dialog, *text);
        DialogDriver::Click(dialog, button);
    };
}

class RealDialogs : public testing::Test {
protected:
    DialogOutcome Run(const std::string& name, const std::string& args, bool async, DialogDriver::Answer answer)
    {
        const size_t eventsBefore = events.Events().size();
        DialogOutcome outcome;
        DialogDriver driver(std::move(answer));
        if (async)
            EXPECT_TRUE(CallAsyncAndWait(name, args, 0)) << name;
        else
            outcome.reply = CallCommandSync(name, args);
        outcome.seen = driver.Finish();
        outcome.trouble = driver.Trouble();
        const std::vector<AsyncEventData> all = events.Events();
        for (size_t index = eventsBefore; index < all.size(); ++index)
            outcome.events.push_back(EventText(all[index]));
        return outcome;
    }

    std::string Create(const std::string& kind) { return CallCommandSync(kind + ".create"); }

    ScopedCommandCentre centre{{&nxaDialogs::Frame::Descriptor()}};
    StandInForm form{0, "main"};
    EventCapture events;
};

std::string Label(const std::string& row, const std::string& args, bool async)
{
    return row + "(" + args + ")" + (async ? " async" : " sync");
}

TEST_F(RealDialogs, InputBoxAnswersTheTextEnteredWithOk)
{
    const std::string id = Create("nxa.Dialogs");
    const struct {
        std::optional<std::wstring> typed;
        int button;
        std::string reply;
        std::string event;
    } cases[] = {
        {std::wstring(L"typed \u2713"), kWxOk, "typed \xE2\x9C\x93", "onSelect { }"},
        {std::wstring(), kWxOk, "", "onCancel { }"},
        {std::wstring(L"dropped"), kWxCancel, "", "onCancel { }"},
    };
    const std::string args = id + ", \"Caption \\u2713\", \"first\"";
    for (const auto& entry : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(Label("inputBox", entry.reply, async));
            const DialogOutcome outcome = Run("nxa.Dialogs.inputBox", args, async, TypeAndClick(entry.typed, entry.button));
            ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
            EXPECT_EQ(L"Caption \u2713", outcome.seen->caption);
            EXPECT_TRUE(outcome.seen->Shows(L"Static", L"Please enter text..."));
            EXPECT_TRUE(outcome.seen->Shows(L"Edit", L"first"));
            EXPECT_EQ(L"", outcome.trouble);
            if (async)
                EXPECT_EQ(std::vector<std::string>{entry.event}, outcome.events);
            else
                EXPECT_EQ(entry.reply, StringReply(outcome.reply));
        }
    }
}

TEST_F(RealDialogs, PromptShowsTheMessageWithAnEmptyCaption)
{
    const std::string id = Create("nxa.Dialogs");
    // The system gives the one button of an OK-only box the Cancel id, so
    // Escape closes it too.
    const auto clickTheButton = [](HWND dialog) {
        for (const DialogControl& control : DialogDriver::Read(dialog).controls) {
            if (control.className == L"Button")
                DialogDriver::Click(dialog, control.id);
        }
    };
    for (bool async : {false, true}) {
        const DialogOutcome outcome = Run("nxa.Dialogs.prompt", id + ", \"Saved.\"", async, clickTheButton);
        ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
        EXPECT_EQ(L"", outcome.seen->caption);
        EXPECT_TRUE(outcome.seen->Shows(L"Static", L"Saved."));
        size_t buttons = 0;
        for (const DialogControl& control : outcome.seen->controls)
            buttons += control.className == L"Button" ? 1 : 0;
        EXPECT_EQ(1u, buttons) << "OK only";
        EXPECT_EQ(async ? "" : "0", outcome.reply);
        EXPECT_TRUE(outcome.events.empty());
        EXPECT_EQ(L"", outcome.trouble);
    }
}

TEST_F(RealDialogs, MessageBoxesAnswerTheButtonChosen)
{
    const std::string id = Create("nxa.Dialogs");
    const struct {
        const char* row;
        const char* args; // after the id and message
        int button;
        bool consent;
        LPCWSTR icon; // null: not compared (the question icon does not show)
        std::vector<std::pair<int, const wchar_t*>> buttons; // id and label, where relabelled
    } cases[] = {
        {"promptAdv", "\"alert\"", IDOK, true, IDI_EXCLAMATION, {}},
        {"promptAdv", "\"alert\"", IDCANCEL, false, IDI_EXCLAMATION, {}},
        {"promptAdv", "\"info\"", IDOK, true, IDI_INFORMATION, {}},
        {"promptAdv", "\"error\"", IDCANCEL, false, IDI_ERROR, {}},
        {"promptModal", "\"abortignore\", \"alert\"", IDYES, true, IDI_EXCLAMATION, {{IDYES, L"Abort"}, {IDNO, L"Ignore"}}},
        {"promptModal", "\"abortignore\", \"info\"", IDNO, false, IDI_INFORMATION, {{IDYES, L"Abort"}, {IDNO, L"Ignore"}}},
        {"promptModal", "\"yesno\", \"error\"", IDYES, true, IDI_ERROR, {}},
        {"promptModal", "\"yesno\", \"alert\"", IDNO, false, IDI_EXCLAMATION, {}},
        {"promptModal", "\"okcancel\", \"info\"", IDOK, true, IDI_INFORMATION, {}},
        {"promptModal", "\"okcancel\", \"error\"", IDCANCEL, false, IDI_ERROR, {}},
    };
    for (const auto& entry : cases) {
        for (bool async : {false, true}) {
            const std::string args = id + ", \"Go on?\", " + entry.args;
            SCOPED_TRACE(Label(entry.row, args, async) + " button " + std::to_string(entry.button));
            const DialogOutcome outcome =
                Run(std::string("nxa.Dialogs.") + entry.row, args, async, TypeAndClick({}, entry.button));
            ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
            EXPECT_EQ(L"", outcome.trouble);
            EXPECT_TRUE(outcome.seen->Shows(L"Static", L"Go on?"));
            EXPECT_EQ(::LoadIconW(nullptr, entry.icon), outcome.seen->icon);
            for (const auto& button : entry.buttons)
                EXPECT_EQ(std::wstring(button.second), outcome.seen->TextOf(button.first, L"Button"));
            if (async)
                EXPECT_EQ(std::vector<std::string>{entry.consent ? "onSelect { }" : "onCancel { }"}, outcome.events);
            else
                EXPECT_EQ(entry.consent ? "true" : "false", outcome.reply);
        }
    }
}

TEST_F(RealDialogs, UnknownWordsShowNoBox)
{
    const std::string id = Create("nxa.Dialogs");
    const struct {
        const char* row;
        const char* args;
    } cases[] = {
        {"promptAdv", "\"Alert\""},
        {"promptAdv", "\"warn\""},
        {"promptModal", "\"maybe\", \"alert\""},
        {"promptModal", "\"yesno\", \"Info\""},
    };
    for (const auto& entry : cases) {
        for (bool async : {false, true}) {
            const std::string args = id + ", \"m\", " + entry.args;
            SCOPED_TRACE(Label(entry.row, args, async));
            const DialogOutcome outcome =
                Run(std::string("nxa.Dialogs.") + entry.row, args, async, TypeAndClick({}, IDOK));
            EXPECT_FALSE(outcome.seen);
            EXPECT_EQ(async ? "" : "false", outcome.reply);
            if (async) {
                EXPECT_EQ(std::vector<std::string>{"onCancel { }"}, outcome.events);
            }
        }
    }
}

class RealFileDialogs : public RealDialogs {
protected:
    RealFileDialogs()
    {
        for (const wchar_t* name : {L"a.txt", L"b.txt"})
            std::ofstream(WideToUtf8(folder / name)).put('x');
    }

    // folder with its final "\" and the name, as the module answers a file.
    std::string Answered(const std::wstring& name) const { return WideToUtf8(folder / name) + "\\"; }

    std::string Set(const std::string& row, const std::string& id, const std::string& value)
    {
        return CallCommandSync("nxa.Dialogs.BrowseFile." + row, id + ", " + value);
    }

    std::string JsonFolder() const { return JsonString(WideToUtf8(folder.Path())); }

    ScratchFolder folder;
};

// The folder an explorer-style file dialog shows.
std::wstring FolderOf(HWND dialog)
{
    wchar_t path[MAX_PATH] = {};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path), SMTO_NORMAL, 3000,
                          &ignored);
    return path;
}

TEST_F(RealFileDialogs, OpenDialogShowsItsSettingsAndAnswersTheChosenFile)
{
    const std::string id = Create("nxa.Dialogs.BrowseFile");
    EXPECT_EQ("0", Set("title", id, "\"Pick \\u2713\""));
    EXPECT_EQ("0", Set("defaultDirectory", id, JsonFolder()));
    EXPECT_EQ("0", Set("defaultFilename", id, "\"a.txt\""));
    EXPECT_EQ("0", Set("filterList", id, "\"Text|*.txt|All|*.*\""));
    EXPECT_EQ("0", Set("filterText", id, "\"Notes|*.txt|All|*.*\""));
    EXPECT_EQ("0", Set("buttonText", id, "\"Take\""));

    for (bool async : {false, true}) {
        SCOPED_TRACE(async ? "async" : "sync");
        std::wstring shownFolder;
        bool relabelled = false;
        const DialogOutcome outcome = Run("nxa.Dialogs.BrowseFile.show", id, async, [&](HWND dialog) {
            relabelled = DialogDriver::WaitForText(dialog, IDOK, L"Take");
            shownFolder = FolderOf(dialog);
            DialogDriver::Click(dialog, IDOK);
        });
        ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
        EXPECT_EQ(L"", outcome.trouble);
        EXPECT_EQ(L"Pick \u2713", outcome.seen->caption);
        EXPECT_TRUE(relabelled) << "the OK button reads the movie's label";
        EXPECT_EQ(folder.Path(), shownFolder);
        EXPECT_EQ(std::wstring(L"a.txt"), outcome.seen->TextOf(kFileNameBox));
        EXPECT_EQ(std::wstring(L"Notes"), outcome.seen->TextOf(kFilterBox)) << "filterText replaced filterList";
        if (async)
            EXPECT_EQ(std::vector<std::string>{"onSelect { \"result\": " + JsonString(Answered(L"a.txt")) + " }"},
                      outcome.events);
        else
            EXPECT_EQ(Answered(L"a.txt"), StringReply(outcome.reply));
    }
}

TEST_F(RealFileDialogs, OpenDialogAnswersSeveralFilesOrNone)
{
    const std::string id = Create("nxa.Dialogs.BrowseFile");
    Set("defaultDirectory", id, JsonFolder());
    Set("allowMultiple", id, "true");
    const auto chooseTwo = [](HWND dialog) {
        DialogDriver::SetFileDialogControlText(dialog, kFileNameBox, L"\"a.txt\" \"b.txt\"");
        DialogDriver::Click(dialog, IDOK);
    };

    DialogOutcome outcome = Run("nxa.Dialogs.BrowseFile.show", id, false, chooseTwo);
    ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
    EXPECT_FALSE(outcome.seen->TextOf(IDOK, L"Button").value_or(L"").empty()) << "the button keeps its own label";
    EXPECT_NE(std::wstring(L"Take"), outcome.seen->TextOf(IDOK, L"Button"));
    EXPECT_EQ((std::vector<std::string>{Answered(L"a.txt"), Answered(L"b.txt")}), ListReply(outcome.reply));

    outcome = Run("nxa.Dialogs.BrowseFile.show", id, true, chooseTwo);
    EXPECT_EQ(std::vector<std::string>{"onSelectMultiple { \"result\": [ " + JsonString(Answered(L"a.txt")) + ", " +
                                       JsonString(Answered(L"b.txt")) + " ] }"},
              outcome.events);

    outcome = Run("nxa.Dialogs.BrowseFile.show", id, false, TypeAndClick({}, IDCANCEL));
    EXPECT_TRUE(outcome.seen);
    EXPECT_EQ("[ ]", outcome.reply);
    outcome = Run("nxa.Dialogs.BrowseFile.show", id, true, TypeAndClick({}, IDCANCEL));
    EXPECT_EQ(std::vector<std::string>{"onCancel { }"}, outcome.events);

    const std::string single = Create("nxa.Dialogs.BrowseFile");
    outcome = Run("nxa.Dialogs.BrowseFile.show", single, false, TypeAndClick({}, IDCANCEL));
    EXPECT_TRUE(outcome.seen);
    EXPECT_EQ("\"\"", outcome.reply);
}

TEST_F(RealFileDialogs, SaveAndFolderDialogsAnswerTheTypedPath)
{
    const std::string save = Create("nxa.Dialogs.BrowseFileToSave");
    const std::string folderId = Create("nxa.Dialogs.BrowseFolder");
    const std::wstring newFile = folder / L"new.txt";
    const struct {
        std::string row;
        std::string id;
        std::optional<std::wstring> typed;
        int button;
        std::string reply;
    } cases[] = {
        {"BrowseFileToSave.show", save, newFile, IDOK, WideToUtf8(newFile) + "\\"},
        {"BrowseFileToSave.show", save, std::nullopt, IDCANCEL, ""},
        {"BrowseFolder.show", folderId, std::wstring(L"C:\\"), IDOK, "C:\\"},
        {"BrowseFolder.show", folderId, folder.Path(), IDOK, WideToUtf8(folder.Path()) + "\\"},
        {"BrowseFolder.show", folderId, std::nullopt, IDCANCEL, ""},
    };
    for (const auto& entry : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(Label(entry.row, entry.reply, async));
            const DialogOutcome outcome =
                Run("nxa.Dialogs." + entry.row, entry.id, async, TypeAndClick(entry.typed, entry.button));
            ASSERT_TRUE(outcome.seen) << WideToUtf8(outcome.trouble);
            EXPECT_EQ(L"", outcome.trouble);
            if (!async) {
                EXPECT_EQ(entry.reply, StringReply(outcome.reply));
                continue;
            }
            const std::string event =
                entry.reply.empty() ? "onCancel { }" : "onSelect { \"result\": " + JsonString(entry.reply) + " }";
            EXPECT_EQ(std::vector<std::string>{event}, outcome.events);
        }
    }
}

} // namespace
