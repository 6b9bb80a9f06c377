#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "platform/services/Shell.h"

namespace lumvex {
namespace {

using Args = std::vector<std::string>;

TEST(DialogsTest, ScriptedDialogsAnswerInOrderAndRecordTheQuestions) {
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes, mrNoToAll};
    EXPECT_EQ(MessageDlg("Felülírja?", mtWarning, mbYesNoCancel | mbYesToAll | mbNoToAll), mrYes);
    EXPECT_EQ(MessageDlg("Törli?", mtConfirmation, mbYesNoCancel), mrNoToAll);
    // Nothing left to answer: the box counts as cancelled.
    EXPECT_EQ(MessageDlg("Again?", mtWarning, mbYesNoCancel), mrCancel);
    ASSERT_EQ(dialogs.Questions.size(), 3u);
    EXPECT_EQ(dialogs.Questions[0].Message, "Felülírja?");
    EXPECT_EQ(dialogs.Questions[0].Buttons & mbYesToAll, unsigned(mbYesToAll));
    EXPECT_EQ(dialogs.Questions[1].Type, mtConfirmation);

    ShowMessage("Kész");
    EXPECT_EQ(dialogs.Messages, Args{"Kész"});

    dialogs.ColorAnswers = {std::optional<TColor>(0x123456), std::nullopt};
    TColorDialog color;
    color.Color = clRed;
    EXPECT_TRUE(color.Execute());
    EXPECT_EQ(color.Color, 0x123456u);
    EXPECT_FALSE(color.Execute());
    EXPECT_EQ(color.Color, 0x123456u);
    EXPECT_EQ(dialogs.ColorsOffered, (std::vector<TColor>{clRed, 0x123456}));

    dialogs.OpenAnswers = {std::optional<std::string>("/usr/bin/gimp")};
    TOpenDialog open;
    open.Title = "Szerkesztő";
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, "/usr/bin/gimp");
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(dialogs.OpenTitles, (Args{"Szerkesztő", "Szerkesztő"}));

    dialogs.FolderAnswers = {std::optional<std::string>("/tmp")};
    std::string folder = "unchanged";
    EXPECT_TRUE(SelectFolder("Mappa", "/", folder));
    EXPECT_EQ(folder, "/tmp");
    EXPECT_FALSE(SelectFolder("Mappa", "/", folder));
    EXPECT_EQ(folder, "/tmp");
}

TEST(ShellTest, ParametersSplitAtSpacesKeepingQuotedPartsWhole) {
    EXPECT_EQ(SplitParameters("\"/home/a b/kép.jpg\""), Args{"/home/a b/kép.jpg"});
    EXPECT_EQ(SplitParameters("-x  \"a b\" c\"d e\""), (Args{"-x", "a b", "cd e"}));
    EXPECT_EQ(SplitParameters("\"\" x"), (Args{"", "x"}));
    EXPECT_TRUE(SplitParameters("   ").empty());
}

TEST(ShellTest, ScriptedShellRecordsInsteadOfStarting) {
    ScriptedShell shell;
    ShellExecute("Open", "mspaint", "\"/tmp/a.jpg\"", "/tmp");
    ShellExecute("Open", "mspaint", Args{"/tmp/say \"hi\".jpg"}, "");
    shell.Succeeds = false;
    EXPECT_FALSE(OpenURL("http://example.invalid/"));
    ASSERT_EQ(shell.Calls.size(), 2u);
    EXPECT_EQ(shell.Calls[0].Verb, "Open");
    EXPECT_EQ(shell.Calls[0].Program, "mspaint");
    EXPECT_EQ(shell.Calls[0].Arguments, Args{"/tmp/a.jpg"});
    EXPECT_EQ(shell.Calls[0].Folder, "/tmp");
    EXPECT_EQ(shell.Calls[1].Arguments, Args{"/tmp/say \"hi\".jpg"}) << "a quote in a name is no separator";
    EXPECT_EQ(shell.Urls, Args{"http://example.invalid/"});
}

TEST(ShellTest, AProgramThatCannotStartRaisesAnErrorNamingIt) {
    auto message = [](auto start) {
        try {
            start();
        } catch (const EInOutError& error) {
            return std::string(error.what());
        }
        return std::string("started");
    };
    EXPECT_NE(message([] { ShellExecute("Open", "lumvex-no-such-editor", "x", ""); }).find("\"lumvex-no-such-editor\""),
              std::string::npos);
    EXPECT_NE(message([] { ShellExecute("Open", "/nonexistent/editor", Args{"a"}, ""); }).find("/nonexistent/editor"),
              std::string::npos);
    ScriptedShell shell;
    shell.Succeeds = false;
    EXPECT_NE(message([] { ShellExecute("Open", "mspaint", "x", "/tmp"); }).find("\"mspaint\" in /tmp"),
              std::string::npos);
}

TEST(ShellTest, AProgramNamedWithItsFolderStartsFromThatFolderWithItsArguments) {
    test::TempDir dir;
    const std::string program = dir.Write("editor", "#!/bin/sh\nprintf '%s|' \"$@\" > \"$PWD/arguments.txt\"\n");
    ASSERT_EQ(chmod(program.c_str(), 0755), 0);
    const std::string written = dir.File("arguments.txt");
    auto wait = [&] {
        for (int i = 0; i < 200 && FileSize(written) <= 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ReadFileBytes(written);
    };
    ShellExecute("Open", "editor", "\"/pictures/a b.jpg\" -x", dir.Path() + "/");
    EXPECT_EQ(wait(), "/pictures/a b.jpg|-x|");
    DeleteFile(written);
    // Arguments given one by one arrive as they are, quotes and all.
    ShellExecute("Open", "editor", Args{"/pictures/say \"hi\".jpg"}, dir.Path() + "/");
    EXPECT_EQ(wait(), "/pictures/say \"hi\".jpg|");
}

}  // namespace
}  // namespace lumvex
