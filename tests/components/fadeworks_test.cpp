// The window fader: immediate opacity, fade-in timing and its end events.
#include <gtest/gtest.h>

#include "components/FadeWorks.h"

using namespace lumvex;

TEST(FadeWorks, TakesTheWindowOpaqueWithoutSettingItWhileCreated) {
    TForm form;
    form.SetAlphaBlendValue(77);
    TFadeWorks fader(&form);
    EXPECT_TRUE(form.AlphaBlend());
    EXPECT_EQ(fader.BlendValue(), 255);
    EXPECT_EQ(form.AlphaBlendValue(), 77);
    fader.SetBlendValue(1);
    EXPECT_EQ(form.AlphaBlendValue(), 1);
    // Setting the current value again makes no call on the window.
    form.SetAlphaBlendValue(90);
    fader.SetBlendValue(1);
    EXPECT_EQ(form.AlphaBlendValue(), 90);
}

TEST(FadeWorks, FadesInOverItsStepsAndRaisesTheRightEndEvent) {
    TForm form;
    TFadeWorks fader(&form);
    fader.SetSteps(0);
    EXPECT_EQ(fader.Steps(), 1);
    int ends = 0, fadeInEnds = 0;
    fader.OnFadeEnd = [&](TObject*) { ++ends; };
    fader.FadeIn(200);
    EXPECT_EQ(form.AlphaBlendValue(), 0);
    fader.Tick();
    EXPECT_EQ(form.AlphaBlendValue(), 200);
    EXPECT_FALSE(fader.Fading());
    EXPECT_EQ(ends, 1);

    fader.SetSteps(50);
    fader.OnFadeInEnd = [&](TObject*) { ++fadeInEnds; };
    fader.FadeIn(255);
    EXPECT_TRUE(fader.Fading());
    for (int tick = 1; tick < 50; ++tick) fader.Tick();
    EXPECT_EQ(form.AlphaBlendValue(), 249);  // 49 x 5.10
    fader.Tick();
    EXPECT_EQ(form.AlphaBlendValue(), 255);
    EXPECT_EQ(fadeInEnds, 1);
    EXPECT_EQ(ends, 1);
}

TEST(FadeWorks, AFadeWhoseStepRoundsToNothingEndsAtItsTargetAndStopsItsTimer) {
    TForm form;
    TFadeWorks fader(&form);
    fader.SetSteps(1000);  // 2 x 100 / 1000 rounds to 0
    int ends = 0;
    fader.OnFadeEnd = [&](TObject*) { ++ends; };
    fader.FadeIn(2);
    fader.Tick();
    EXPECT_EQ(form.AlphaBlendValue(), 2);
    EXPECT_EQ(fader.BlendValue(), 2);
    EXPECT_FALSE(fader.Fading());
    EXPECT_EQ(ends, 1);
}
