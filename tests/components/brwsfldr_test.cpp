#include "components/BrwsFldr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "TestFiles.h"
#include "platform/services/Application.h"
#include "platform/services/Dialogs.h"

namespace lumvex {
namespace {

using Script = ScriptedFolderDialogs::Script;

class BrowseForFolderTest : public ::testing::Test {
protected:
    BrowseForFolderTest() {
        pictures = dir.Path() + "/Képek";
        archive = dir.Path() + "/archive";
        std::filesystem::create_directory(pictures);
        std::filesystem::create_directory(archive);
        file = dir.Write("note.txt", "x");
    }
    const ScriptedFolderDialogs::Run& LastRun() const { return dialogs.Runs.back(); }

    test::TempDir dir;
    std::string pictures, archive, file;
    ScriptedFolderDialogs dialogs;
    TBrowseForFolder browse;
};

TEST_F(BrowseForFolderTest, ChoosingReturnsTheFolderWithoutATrailingSeparator) {
    dialogs.Scripts.push_back(Script{{pictures + "/"}});
    ASSERT_TRUE(browse.Execute());
    EXPECT_EQ(browse.Path, pictures);

    dialogs.Scripts.push_back(Script{{"/"}});
    ASSERT_TRUE(browse.Execute());
    EXPECT_EQ(browse.Path, "/");
}

TEST_F(BrowseForFolderTest, CancelLeavesThePathAndReturnsFalse) {
    browse.Path = archive;
    dialogs.Scripts.push_back(Script{{pictures}, false});
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ(browse.Path, archive);
    EXPECT_FALSE(browse.Execute());  // no script left: the user closes the dialog
    EXPECT_EQ(browse.Path, archive);
    EXPECT_EQ(dialogs.Runs.size(), 2u);
}

TEST_F(BrowseForFolderTest, OkIsEnabledOnlyOnAnExistingFolder) {
    browse.Path = archive;
    dialogs.Scripts.push_back(Script{{file, "", dir.Path() + "/gone", pictures, file}});
    EXPECT_FALSE(browse.Execute());  // OK pressed on the file: nothing happens
    EXPECT_EQ(browse.Path, archive);
    const auto& run = LastRun();
    EXPECT_EQ(run.Selected, (std::vector<std::string>{archive, file, "", dir.Path() + "/gone", pictures, file}));
    EXPECT_EQ(run.OkEnabled, (std::vector<bool>{true, false, false, false, true, false}));
}

TEST_F(BrowseForFolderTest, SelectionHandlerDecidesAboutOk) {
    std::vector<std::pair<std::string, bool>> offered;
    bool handleDuringCallback = false;
    browse.OnSelChanged = [&](TObject* sender, const std::string& path, bool& enableOk) {
        EXPECT_EQ(sender, &browse);
        handleDuringCallback = browse.Handle() != nullptr;
        offered.emplace_back(path, enableOk);
        if (path == pictures) enableOk = false;             // not this one
        if (path == dir.Path() + "/new") enableOk = true;   // the caller will create it
    };
    dialogs.Scripts.push_back(Script{{pictures}});
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ(LastRun().OkEnabled.back(), false);
    dialogs.Scripts.push_back(Script{{dir.Path() + "/new"}});
    ASSERT_TRUE(browse.Execute());
    EXPECT_EQ(browse.Path, dir.Path() + "/new");

    EXPECT_TRUE(handleDuringCallback);
    EXPECT_EQ(browse.Handle(), nullptr);
    ASSERT_EQ(offered.size(), 4u);  // the opening selection, then the script's
    EXPECT_EQ(offered[1], std::make_pair(pictures, true));
    EXPECT_EQ(offered[3], std::make_pair(dir.Path() + "/new", false));
}

TEST_F(BrowseForFolderTest, OkForcedOnAnItemWithoutAFolderChoosesNothing) {
    browse.Path = archive;
    browse.OnSelChanged = [](TObject*, const std::string&, bool& enableOk) { enableOk = true; };
    dialogs.Scripts.push_back(Script{{""}});
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ(browse.Path, archive);
}

TEST_F(BrowseForFolderTest, PositionHandlerMovesTheDialog) {
    dialogs.OpeningBounds = Bounds(300, 200, 320, 400);
    browse.OnSetPosition = [&](TObject* sender, int& left, int& top, int width, int height) {
        EXPECT_EQ(sender, &browse);
        EXPECT_NE(browse.Handle(), nullptr);
        EXPECT_EQ(left, 300);
        EXPECT_EQ(top, 200);
        EXPECT_EQ(width, 320);
        EXPECT_EQ(height, 400);
        left = 10;
        top = 20;
    };
    dialogs.Scripts.push_back(Script{{}, false});
    browse.Execute();
    EXPECT_EQ(LastRun().Bounds, Bounds(10, 20, 320, 400));

    browse.OnSetPosition = nullptr;
    dialogs.Scripts.push_back(Script{{}, false});
    browse.Execute();
    EXPECT_EQ(LastRun().Bounds, LastRun().OpenBounds);
}

TEST_F(BrowseForFolderTest, NextRunOpensOnTheFolderChosenBefore) {
    dialogs.Scripts.push_back(Script{{pictures}});
    ASSERT_TRUE(browse.Execute());
    dialogs.Scripts.push_back(Script{{}, false});
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ(dialogs.Runs[0].Selected.front(), "/");  // no start path: the opening folder
    EXPECT_EQ(dialogs.Runs[1].Selected.front(), pictures);
    EXPECT_EQ(browse.Path, pictures);
}

TEST_F(BrowseForFolderTest, TitleStatusAndStyleReachTheDialog) {
    browse.Title = "Célmappa";
    browse.StatusText = "Válasszon mappát";
    browse.EditBox = true;
    browse.Execute();
    EXPECT_EQ(LastRun().Options.Title, "Célmappa");
    EXPECT_TRUE(LastRun().Options.StatusLine);
    EXPECT_TRUE(LastRun().Options.EditBox);
    EXPECT_FALSE(LastRun().Options.Resizable);
    EXPECT_EQ(LastRun().StatusText, "Válasszon mappát");

    browse.NewDialogStyle = true;  // the resizable dialog has no status line
    browse.Execute();
    EXPECT_FALSE(LastRun().Options.StatusLine);
    EXPECT_TRUE(LastRun().Options.Resizable);
    EXPECT_EQ(LastRun().StatusText, "");
}

class PickyBrowse : public TBrowseForFolder {
public:
    std::vector<std::string> Calls;

protected:
    void SelChanged(const std::string& path, bool& enableOk) override {
        Calls.push_back("sel " + path + (enableOk ? " on" : " off"));
        enableOk = false;
    }
    void SetPosition(int& left, int& top, int, int) override {
        Calls.push_back("pos " + std::to_string(left) + "," + std::to_string(top));
        left += 5;
    }
};

TEST_F(BrowseForFolderTest, OverridesRunAfterTheEvents) {
    PickyBrowse picky;
    picky.Path = pictures;
    picky.OnSelChanged = [](TObject*, const std::string&, bool& enableOk) { enableOk = !enableOk; };
    picky.OnSetPosition = [](TObject*, int& left, int& top, int, int) { left = 1, top = 2; };
    dialogs.Scripts.push_back(Script{{}});
    EXPECT_FALSE(picky.Execute());
    EXPECT_EQ(picky.Calls, (std::vector<std::string>{"sel " + pictures + " off", "pos 1,2"}));
    EXPECT_EQ(LastRun().Bounds.Left, 6);
    EXPECT_EQ(LastRun().OkEnabled, std::vector<bool>{false});
}

TEST_F(BrowseForFolderTest, ErrorInAHandlerIsShownAndTheDialogGoesOn) {
    RecordedErrors errors;
    browse.OnSelChanged = [](TObject*, const std::string&, bool&) { throw std::runtime_error("bad handler"); };
    dialogs.Scripts.push_back(Script{{pictures}, false});
    EXPECT_NO_THROW(browse.Execute());
    ASSERT_EQ(errors.Messages.size(), 2u);
    EXPECT_EQ(errors.Messages[0], "bad handler");
}

TEST(BrowseForFolder, AnswersOfTheGeneralDialogSeamCountAsUserChoices) {
    test::TempDir dir;
    ScriptedDialogs script;
    script.FolderAnswers = {dir.Path(), dir.Path() + "/missing", std::nullopt};
    TBrowseForFolder browse;
    browse.Title = "Hová?";
    ASSERT_TRUE(browse.Execute());
    EXPECT_EQ(browse.Path, dir.Path());
    EXPECT_FALSE(browse.Execute());  // not a folder: OK stays disabled
    EXPECT_FALSE(browse.Execute());
    EXPECT_FALSE(browse.Execute());  // no answer left
    EXPECT_EQ(browse.Path, dir.Path());
    EXPECT_EQ(script.FolderTitles, (std::vector<std::string>(4, "Hová?")));
}

}  // namespace
}  // namespace lumvex
