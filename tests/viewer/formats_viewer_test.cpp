// The kinds read through their own libraries in the viewer: stepping shows
// each, a file named for another kind shows as what it is, the information
// line gives 32 bits with alpha and 24 without, an animated WebP plays as a
// GIF does and stops when stepped away from, and the neighbours are decoded
// ahead except an animation. The filter list offers every kind.
#include <gtest/gtest.h>

#include <memory>

#include "BackgroundWork.h"
#include "FormatFiles.h"
#include "ViewerSupport.h"
#include "components/MPGifImg.h"
#include "components/WebPAnimation.h"
#include "platform/graphics/LibraryImage.h"
#include "viewer/Prefetch.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

// The folder's files in list order, made from the two sources.
const char* const Names[] = {"a.png", "b.webp", "c.tif", "d.heic", "e.avif", "f.jxl", "g.webp", "h.jpg"};

class FormatsInViewer : public testing::Test {
protected:
    void SetUp() override {
        if (files.Quadrants().empty() || files.Translucent().empty()) GTEST_SKIP() << files.Missing << " is missing";
        const char* commands[] = {
            "cp translucent.png %o",
            "cwebp -quiet -lossless quadrants.png -o %o",
            "convert quadrants.png -compress lzw plain.tif && tiffcp -c zip plain.tif %o",
            "heif-enc -q 90 -p chroma=444 quadrants.png -o %o",
            "avifenc -s 9 quadrants.png %o",
            "cjxl -d 0 quadrants.png %o",
            "convert -size 64x48 xc:red png24:r.png && convert -size 64x48 xc:blue png24:b.png && "
            "img2webp -lossless -d 200 r.png -d 200 b.png -o %o",
            "cp quadrants.png %o",
        };
        for (std::size_t i = 0; i < std::size(Names); ++i)
            if (files.Make(Names[i], commands[i]).empty()) GTEST_SKIP() << files.Missing << " is missing";
        for (const char* source : {"quadrants.png", "translucent.png", "plain.tif", "r.png", "b.png"})
            std::remove(dir.File(source).c_str());
        StartViewer(dir.Path());
    }
    void TearDown() override { DestroyWindows(); }

    static void Show(int index) {
        FileWindow->FileListBox->SetItemIndex(index);
        FileWindow->FileListBoxChange();
    }
    static std::string InfoEnd() {
        const std::string info = MainWindow->BottomLabel->Caption();
        return info.substr(info.rfind(' ') + 1);
    }
    static TWebPAnimation* Animation() {
        return dynamic_cast<TWebPAnimation*>(MainWindow->Image->Picture().Graphic());
    }

    TempDir dir;
    FormatFiles files{dir};
};

}  // namespace

TEST_F(FormatsInViewer, SteppingShowsEveryKindWithItsDepth) {
    ASSERT_EQ(FileWindow->FileListBox->Count(), int(std::size(Names)));
    const char* depths[] = {"64x48x32bit", "64x48x24bit", "64x48x24bit", "64x48x24bit",
                            "64x48x24bit", "64x48x24bit", "64x48x24bit", "64x48x24bit"};
    for (int i = 0; i < int(std::size(Names)); ++i) {
        SCOPED_TRACE(Names[i]);
        Show(i);
        EXPECT_EQ(Viewer.PictureWidth, 64);
        EXPECT_EQ(Viewer.PictureHeight, 48);
        EXPECT_EQ(InfoEnd(), depths[i]);
        if (Animation()) continue;
        const TBitmap& shown = MainWindow->Image->Picture().Bitmap();
        EXPECT_TRUE(Near(shown.Pixel(8, 8), clRed));
        if (i > 0) {
            EXPECT_TRUE(Near(shown.Pixel(56, 8), clLime)) << "the quadrants";
        }
    }
    // The transparent corner of the PNG shows what an icon's does: black.
    Show(0);
    EXPECT_TRUE(Near(MainWindow->Image->Picture().Bitmap().Pixel(56, 40), clBlack));
    // The PNG named h.jpg is shown as the PNG it is.
    Show(7);
    EXPECT_STREQ(MainWindow->TImg->Picture().Graphic()->ClassName(), "TPngImage");
}

TEST_F(FormatsInViewer, AnAnimatedWebPPlaysAsAGifAndStopsWhenSteppedAway) {
    Show(5);
    Show(6);
    ASSERT_NE(Animation(), nullptr);
    EXPECT_TRUE(Animation()->Animate());
    EXPECT_EQ(Animation()->Delay(1), 0) << "every frame at the shortest interval";
    EXPECT_STREQ(MainWindow->TImg->Picture().Graphic()->ClassName(), "TJxlImage") << "the work holder is kept";
    EXPECT_EQ(GIFTimerPool()->TriggerCount(), 1);
    Show(7);
    EXPECT_EQ(Animation(), nullptr);
    EXPECT_EQ(GIFTimerPool(), nullptr) << "the animation's trigger went with it";
}

TEST_F(FormatsInViewer, NeighboursAreDecodedAheadExceptAnAnimation) {
    Show(5);  // f.jxl: its neighbours are e.avif and the animated g.webp
    Application.ProcessMessages();
    ASSERT_TRUE(RunMessagesUntil([] { return !Prefetch.Busy(); }));
    std::unique_ptr<TGraphic> avif = Prefetch.Take(dir.File("e.avif")).Picture;
    ASSERT_NE(avif, nullptr);
    EXPECT_STREQ(avif->ClassName(), "THeifImage");
    EXPECT_EQ(Prefetch.Take(dir.File("g.webp")).Picture, nullptr) << "an animation runs timers: the viewer loads it itself";
}

TEST_F(FormatsInViewer, TheFilterListOffersEveryKind) {
    const std::vector<std::string> items = FileWindow->FilterComboBox->Items();
    EXPECT_EQ(items, (std::vector<std::string>{"Összes támogatott formátum", "*.bmp", "*.jpg;*.jpeg", "*.ico", "*.gif",
                                               "*.png", "*.webp", "*.tif;*.tiff", "*.heic;*.heif", "*.avif",
                                               "*.jxl"}));
    EXPECT_EQ(FileWindow->FilterComboBox->Mask(),
              "*.bmp;*.jpg;*.jpeg;*.ico;*.gif;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif;*.jxl");
    FileWindow->FilterComboBox->SetItemIndex(6);
    EXPECT_EQ(FileWindow->FileListBox->Items(), (std::vector<std::string>{"b.webp", "g.webp"}));
    FileWindow->FilterComboBox->SetItemIndex(7);
    EXPECT_EQ(FileWindow->FileListBox->Items(), (std::vector<std::string>{"c.tif"}));
}
