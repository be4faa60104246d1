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
    for (const bool key : {true, false}) {
        SplashForm splash;
        splash.show();
        if (key)
            QTest::keyClick(&splash, Qt::Key_Space);
        else
            QTest::mouseClick(splash.findChild<QWidget *>(u"Frame1"_s), Qt::LeftButton);
        EXPECT_EQ(splash.result(), QDialog::Accepted) << key;
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

    const auto chosen = [&dialog] {
        const auto p = dialog.placement();
        return std::tuple(p.automatic, p.top, p.height);
    };
    top->setValue(1500);
    height->setValue(2500);
    EXPECT_EQ(chosen(), std::tuple(false, 1500, 2500));
    automatic->setChecked(true);
    EXPECT_FALSE(top->isEnabled() || height->isEnabled());
    EXPECT_EQ(chosen(), std::tuple(true, 950, 3030));
}
