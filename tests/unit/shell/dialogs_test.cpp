// The start-up picture and the editor placement dialog, driven without exec().
#include "shell/dialog_pos_editor.h"
#include "shell/splash_form.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SplashFormTest, ClosesOnAKeyAClickOrByItself) {
    {
        SplashForm splash;
        splash.show();
        QTest::keyClick(&splash, Qt::Key_Space);
        EXPECT_EQ(splash.result(), QDialog::Accepted);
    }
    {
        SplashForm splash;
        splash.show();
        QTest::mouseClick(splash.findChild<QWidget *>(u"Frame1"_s), Qt::LeftButton);
        EXPECT_EQ(splash.result(), QDialog::Accepted);
    }
    {
        SplashForm splash;
        QSignalSpy accepted(&splash, &QDialog::accepted);
        splash.show();
        EXPECT_TRUE(accepted.wait(SplashForm::showMs * 4));
    }
}

TEST(DialogPosEditorTest, AutomaticPlacementTakesTheDefaultsAndDisablesTheBoxes) {
    DialogPosEditor dialog({false, 1200, 4000}, {true, 950, 3030});
    auto *automatic = dialog.findChild<QCheckBox *>(u"CheckAuto"_s);
    auto *top = dialog.findChild<QSpinBox *>(u"Text1"_s);
    auto *height = dialog.findChild<QSpinBox *>(u"Text2"_s);
    ASSERT_TRUE(automatic && top && height);
    EXPECT_TRUE(top->isEnabled());
    EXPECT_EQ(top->value(), 1200);

    top->setValue(1500);
    height->setValue(2500);
    auto chosen = dialog.placement();
    EXPECT_FALSE(chosen.automatic);
    EXPECT_EQ(chosen.top, 1500);
    EXPECT_EQ(chosen.height, 2500);

    automatic->setChecked(true);
    EXPECT_FALSE(top->isEnabled());
    EXPECT_FALSE(height->isEnabled());
    chosen = dialog.placement();
    EXPECT_TRUE(chosen.automatic);
    EXPECT_EQ(chosen.top, 950);
    EXPECT_EQ(chosen.height, 3030);
}
