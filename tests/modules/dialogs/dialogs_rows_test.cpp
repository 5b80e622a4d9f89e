// The Dialogs rows through the call road, with a presenter that records the
// dialogs asked for instead of showing them: the pinned table, ids, the
// settings each dialog gets, answers and the events of asynchronous calls.
#include "commandcalls.h"
#include "dialogstestsupport.h"
#include "eventcapture.h"
#include "eventdispatcher.h"
#include "nxadialogs.h"
#include "pinnedtable.h"
#include "recordingpresenter.h"
#include "scopedcommandcentre.h"
#include "standinform.h"

#include <gtest/gtest.h>

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include <string>
#include <vector>

namespace {

const int32_t kCreator = 5; // the caller id of the creating script object
const int32_t kShower = 9;  // another script object, which shows the dialog

class DialogsRows : public testing::Test {
protected:
    // A new object of the kind ("nxa.Dialogs", "nxa.Dialogs.BrowseFile", ...)
    // made by kCreator; its id as argument text.
    std::string Create(const std::string& kind) { return CallCommandSync(kind + ".create", "", 0, kCreator); }

    struct Outcome {
        std::string reply;               // of the synchronous call
        std::vector<std::string> events; // of the asynchronous call
    };
    // Makes the call synchronously, then asynchronously.
    Outcome CallBothWays(const std::string& name, const std::string& args)
    {
        Outcome outcome;
        outcome.reply = CallCommandSync(name, args, 0, kShower);
        EXPECT_TRUE(NewEvents().empty()) << name << ": a synchronous call sent an event";
        EXPECT_TRUE(CallAsyncAndWait(name, args, kShower)) << name;
        outcome.events = NewEvents();
        return outcome;
    }

    // The events sent since the last look, checked to go to the creating object.
    std::vector<std::string> NewEvents()
    {
        const std::vector<AsyncEventData> all = events.Events();
        std::vector<std::string> texts;
        for (; m_eventsSeen < all.size(); ++m_eventsSeen) {
            EXPECT_EQ(0, all[m_eventsSeen].formId);
            EXPECT_EQ(kCreator, all[m_eventsSeen].callerId) << "events go to the creating object";
            texts.push_back(EventText(all[m_eventsSeen]));
        }
        return texts;
    }

    ScopedCommandCentre centre{{&nxaDialogs::Frame::Descriptor()}};
    StandInForm form{0, "main"};
    ScopedRecordingPresenter presenter;
    EventCapture events;

private:
    size_t m_eventsSeen = 0;
};

TEST(DialogsTable, PinnedRows)
{
    ScopedCommandCentre centre{{&nxaDialogs::Frame::Descriptor()}};
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaDialogs::Frame::Descriptor(), {
                                                {"nxa.Dialogs.create", 0, "-1"},
                                                {"nxa.Dialogs.inputBox", 3, "\"\""},
                                                {"nxa.Dialogs.prompt", 2, "0"},
                                                {"nxa.Dialogs.promptAdv", 3, "false"},
                                                {"nxa.Dialogs.promptModal", 4, "false"},
                                                {"nxa.Dialogs.BrowseFile.create", 0, "-1"},
                                                {"nxa.Dialogs.BrowseFile.show", 1, "\"\""},
                                                {"nxa.Dialogs.BrowseFile.allowMultiple", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.buttonText", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.creatorCode", kAnyArgCount, "0"},
                                                {"nxa.Dialogs.BrowseFile.defaultDirectory", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.defaultExtension", kAnyArgCount, "0"},
                                                {"nxa.Dialogs.BrowseFile.defaultFilename", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.dialogText", kAnyArgCount, "0"},
                                                {"nxa.Dialogs.BrowseFile.filterList", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.filterText", 2, "0"},
                                                {"nxa.Dialogs.BrowseFile.title", 2, "0"},
                                                {"nxa.Dialogs.BrowseFileToSave.create", 0, "-1"},
                                                {"nxa.Dialogs.BrowseFileToSave.show", 1, "\"\""},
                                                {"nxa.Dialogs.BrowseFolder.create", 0, "-1"},
                                                {"nxa.Dialogs.BrowseFolder.show", 1, "\"\""},
                                                {"nxa.Dialogs.BrowseFolder.defaultDirectory", 2, "0"},
                                                {"nxa.Dialogs.BrowseFolder.title", 2, "0"},
                                            });
    RowRule rule{};
    for (const wxString& name : CommandCentre::Get().CommandNames()) {
        ASSERT_TRUE(CommandCentre::Get().FindRule(name, rule));
        EXPECT_TRUE(rule.RunsOnMainThread()) << name;
    }
}

TEST_F(DialogsRows, EachKindCountsItsOwnIdsAndACreateWithAnArgumentMakesNone)
{
    for (const char* kind : {"nxa.Dialogs", "nxa.Dialogs.BrowseFile", "nxa.Dialogs.BrowseFileToSave",
                             "nxa.Dialogs.BrowseFolder"}) {
        SCOPED_TRACE(kind);
        const int first = std::stoi(Create(kind));
        EXPECT_GE(first, 0);
        EXPECT_EQ("-1", CallCommandSync(std::string(kind) + ".create", "1"));
        EXPECT_EQ("-1", CallCommandSync(std::string(kind) + ".create", "null, 2"));
        EXPECT_EQ(std::to_string(first + 1), Create(kind));
    }
    // Making objects of the other kinds used none of this kind's ids.
    const int dialogs = std::stoi(Create("nxa.Dialogs"));
    Create("nxa.Dialogs.BrowseFile");
    Create("nxa.Dialogs.BrowseFolder");
    EXPECT_EQ(std::to_string(dialogs + 1), Create("nxa.Dialogs"));
    // An id of one kind is no object of another unless that kind has it too.
    const std::string folderId = std::to_string(std::stoi(Create("nxa.Dialogs.BrowseFolder")) + 1000);
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Dialogs.BrowseFolder.show", folderId));
    EXPECT_TRUE(presenter->shown.empty());
}

TEST_F(DialogsRows, OpenDialogSettingsAreTheLatestOfEachSetter)
{
    const std::string id = Create("nxa.Dialogs.BrowseFile");
    const std::string fresh = Create("nxa.Dialogs.BrowseFile");
    const struct {
        const char* row;
        const char* value;
    } setters[] = {
        {"title", "\"first\""},
        {"title", "\"Pick one \\u2713\""},
        {"buttonText", "\"Take\""},
        {"defaultDirectory", "\"C:\\\\data\""},
        {"defaultFilename", "5"},
        {"filterList", "\"Text|*.txt\""},
        {"filterText", "\"Pictures|*.png\""},
        {"allowMultiple", "true"},
    };
    for (const auto& setter : setters)
        EXPECT_EQ("0", CallCommandSync(std::string("nxa.Dialogs.BrowseFile.") + setter.row, id + ", " + setter.value))
            << setter.row;
    for (const char* noOp : {"creatorCode", "defaultExtension", "dialogText"}) {
        for (const std::string& args : {std::string(), id, id + ", \"x\"", std::string("\"a\", 1, 2")})
            EXPECT_EQ("0", CallCommandSync(std::string("nxa.Dialogs.BrowseFile.") + noOp, args)) << noOp;
    }

    CallCommandSync("nxa.Dialogs.BrowseFile.show", id);
    CallCommandSync("nxa.Dialogs.BrowseFile.show", fresh);
    ASSERT_EQ(2u, presenter->shown.size());
    const OpenFileSettings& set = presenter->shown[0].openSettings;
    EXPECT_EQ("open", presenter->shown[0].kind);
    EXPECT_EQ(wxString(L"Pick one \u2713"), set.title);
    EXPECT_EQ("Take", set.buttonText);
    EXPECT_EQ("C:\\data", set.defaultDirectory);
    EXPECT_EQ("5", set.defaultFilename);
    EXPECT_EQ("Pictures|*.png", set.filterList) << "filterText replaces what filterList set";
    EXPECT_TRUE(set.allowMultiple);

    const OpenFileSettings& untouched = presenter->shown[1].openSettings;
    EXPECT_FALSE(untouched.allowMultiple);
    EXPECT_EQ("", untouched.title + untouched.buttonText + untouched.defaultDirectory + untouched.defaultFilename +
                      untouched.filterList);
}

TEST_F(DialogsRows, FixedDialogsHaveTheirExactSettings)
{
    const std::string dialogs = Create("nxa.Dialogs");
    const std::string save = Create("nxa.Dialogs.BrowseFileToSave");
    const std::string folder = Create("nxa.Dialogs.BrowseFolder");
    const std::string otherFolder = Create("nxa.Dialogs.BrowseFolder");
    EXPECT_EQ("0", CallCommandSync("nxa.Dialogs.BrowseFolder.title", otherFolder + ", \"Where?\""));
    EXPECT_EQ("0", CallCommandSync("nxa.Dialogs.BrowseFolder.defaultDirectory", otherFolder + ", \"C:\\\\x\""));

    EXPECT_EQ("\"\"", CallCommandSync("nxa.Dialogs.inputBox", dialogs + ", \"Name\", \"Bob\""));
    EXPECT_EQ("0", CallCommandSync("nxa.Dialogs.prompt", dialogs + ", \"Hello\""));
    CallCommandSync("nxa.Dialogs.BrowseFileToSave.show", save);
    CallCommandSync("nxa.Dialogs.BrowseFolder.show", folder);
    CallCommandSync("nxa.Dialogs.BrowseFolder.show", otherFolder);

    const struct {
        const char* kind;
        const char* message;
        const char* caption;
        const char* defaultText;
        long style;
    } expected[] = {
        {"text", "Please enter text...", "Name", "Bob", 0},
        {"message", "Hello", "", "", wxOK},
        {"save", "Choose a file", "", "*.*", wxFD_SAVE},
        {"folder", "Choose a directory", "", "", wxDD_DEFAULT_STYLE},
        {"folder", "Where?", "", "C:\\x", wxDD_DEFAULT_STYLE},
    };
    ASSERT_EQ(std::size(expected), presenter->shown.size());
    for (size_t index = 0; index < presenter->shown.size(); ++index) {
        const RecordingPresenter::Shown& shown = presenter->shown[index];
        SCOPED_TRACE(index);
        EXPECT_EQ(expected[index].kind, shown.kind);
        EXPECT_EQ(expected[index].message, shown.message);
        EXPECT_EQ(expected[index].caption, shown.caption);
        EXPECT_EQ(expected[index].defaultText, shown.defaultText);
        EXPECT_EQ(expected[index].style, shown.style);
    }
    EXPECT_EQ(2, wxFD_SAVE);
    EXPECT_TRUE(NewEvents().empty());
}

TEST_F(DialogsRows, MessageBoxesAnswerConsentAndReportIt)
{
    const std::string id = Create("nxa.Dialogs");
    const struct {
        const char* row;
        const char* args; // after the id
        int button;       // what the presenter answers
        long style;       // asked for; 0 when no box may appear
        const char* reply;
        const char* event;
    } cases[] = {
        {"promptAdv", "\"m\", \"confirm\"", wxID_OK, 0x414, "true", "onSelect { }"},
        {"promptAdv", "\"m\", \"confirm\"", wxID_CANCEL, 0x414, "false", "onCancel { }"},
        {"promptAdv", "\"m\", \"Confirm\"", wxID_OK, 0, "false", "onCancel { }"},
        {"promptModal", "\"m\", \"abortignore\", \"confirm\"", wxID_YES, 0x40A, "true", "onSelect { }"},
        {"promptModal", "\"m\", \"abortignore\", \"confirm\"", wxID_NO, 0x40A, "false", "onCancel { }"},
        {"promptModal", "\"m\", \"okcancel\", \"alert\"", wxID_OK, 0x114, "true", "onSelect { }"},
        {"promptModal", "\"m\", \"yesno\", \"info\"", wxID_NO, 0x80A, "false", "onCancel { }"},
        {"promptModal", "\"m\", \"yesNo\", \"info\"", wxID_YES, 0, "false", "onCancel { }"},
        {"promptModal", "\"m\", \"yesno\", \"question\"", wxID_YES, 0, "false", "onCancel { }"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.row) + " " + entry.args + " " + std::to_string(entry.button));
        presenter->shown.clear();
        presenter->buttonAnswer = entry.button;
        const Outcome outcome = CallBothWays(std::string("nxa.Dialogs.") + entry.row, id + ", " + entry.args);
        EXPECT_EQ(entry.reply, outcome.reply);
        EXPECT_EQ(std::vector<std::string>{entry.event}, outcome.events);
        ASSERT_EQ(entry.style ? 2u : 0u, presenter->shown.size());
        for (const RecordingPresenter::Shown& shown : presenter->shown) {
            EXPECT_EQ(entry.style, shown.style);
            EXPECT_EQ("m", shown.message);
            EXPECT_EQ("", shown.caption);
            const bool relabelled = std::string(entry.args).find("abortignore") != std::string::npos;
            EXPECT_EQ(relabelled ? "Abort" : "", shown.yesLabel);
            EXPECT_EQ(relabelled ? "Ignore" : "", shown.noLabel);
        }
    }
}

TEST_F(DialogsRows, InputBoxAnswersTheTextAndReportsOnlyWhetherThereIsOne)
{
    const std::string id = Create("nxa.Dialogs");
    presenter->textAnswer = L"typed \u2713";
    Outcome outcome = CallBothWays("nxa.Dialogs.inputBox", id + ", \"c\", \"d\"");
    EXPECT_EQ("typed \xE2\x9C\x93", StringReply(outcome.reply));
    EXPECT_EQ(std::vector<std::string>{"onSelect { }"}, outcome.events);

    presenter->textAnswer.clear();
    outcome = CallBothWays("nxa.Dialogs.inputBox", id + ", \"c\", \"d\"");
    EXPECT_EQ("\"\"", outcome.reply);
    EXPECT_EQ(std::vector<std::string>{"onCancel { }"}, outcome.events);

    EXPECT_EQ("0", CallCommandSync("nxa.Dialogs.prompt", id + ", \"m\""));
    EXPECT_TRUE(CallAsyncAndWait("nxa.Dialogs.prompt", id + ", \"m\"", kShower));
    EXPECT_TRUE(NewEvents().empty()) << "prompt reports nothing";
}

TEST_F(DialogsRows, FileDialogsAnswerPathsWithAFinalBackslash)
{
    const std::string open = Create("nxa.Dialogs.BrowseFile");
    const std::string multiple = Create("nxa.Dialogs.BrowseFile");
    CallCommandSync("nxa.Dialogs.BrowseFile.allowMultiple", multiple + ", true");
    const std::string save = Create("nxa.Dialogs.BrowseFileToSave");
    const std::string folder = Create("nxa.Dialogs.BrowseFolder");

    const struct {
        std::string row;
        std::string id;
        std::vector<wxString> chosen;
        std::string reply;
        std::string event;
    } cases[] = {
        {"BrowseFile.show", open, {"C:\\dir\\a.txt"}, "\"C:\\\\dir\\\\a.txt\\\\\"",
         "onSelect { \"result\": \"C:\\\\dir\\\\a.txt\\\\\" }"},
        {"BrowseFile.show", open, {}, "\"\"", "onCancel { }"},
        {"BrowseFile.show", multiple, {"C:\\a", "C:\\b\\"}, "[ \"C:\\\\a\\\\\", \"C:\\\\b\\\\\" ]",
         "onSelectMultiple { \"result\": [ \"C:\\\\a\\\\\", \"C:\\\\b\\\\\" ] }"},
        {"BrowseFile.show", multiple, {}, "[ ]", "onCancel { }"},
        {"BrowseFileToSave.show", save, {"C:\\out.txt"}, "\"C:\\\\out.txt\\\\\"",
         "onSelect { \"result\": \"C:\\\\out.txt\\\\\" }"},
        {"BrowseFileToSave.show", save, {}, "\"\"", "onCancel { }"},
        {"BrowseFolder.show", folder, {"C:\\"}, "\"C:\\\\\"", "onSelect { \"result\": \"C:\\\\\" }"},
        {"BrowseFolder.show", folder, {"C:\\data"}, "\"C:\\\\data\\\\\"", "onSelect { \"result\": \"C:\\\\data\\\\\" }"},
        {"BrowseFolder.show", folder, {}, "\"\"", "onCancel { }"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.row + " " + entry.reply);
        presenter->pathsAnswer = entry.chosen;
        const Outcome outcome = CallBothWays("nxa.Dialogs." + entry.row, entry.id);
        EXPECT_EQ(entry.reply, outcome.reply);
        EXPECT_EQ(std::vector<std::string>{entry.event}, outcome.events);
    }
}

TEST(DialogSenders, SelectEventsCarryTheirPayloads)
{
    EventCapture capture;
    const EventDispatcher object(2, 7);
    EventDispatcher::SendSelect(object);
    EventDispatcher::SendSelectResult(L"C:\\d\u00E9j\u00E0\\", object);
    EventDispatcher::SendSelectMultiple(object, {});
    EventDispatcher::SendSelectMultiple(object, {"a/b", "\"q\""});
    const std::vector<std::string> expected = {
        "onSelect { }",
        "onSelect { \"result\": \"C:\\\\d\xC3\xA9j\xC3\xA0\\\\\" }",
        "onSelectMultiple { \"result\": [ ] }",
        "onSelectMultiple { \"result\": [ \"a\\/b\", \"\\\"q\\\"\" ] }",
    };
    std::vector<std::string> sent;
    for (const AsyncEventData& event : capture.Events()) {
        EXPECT_EQ(2, event.formId);
        EXPECT_EQ(7, event.callerId);
        sent.push_back(EventText(event));
    }
    EXPECT_EQ(expected, sent);
}

} // namespace
