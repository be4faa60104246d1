#pragma once

#include "corvalis_run.h"
#include "support/sim_process.h"
#include "x_desktop.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Each workflow test has a screen with a window manager, a web-mail service and the program
// in a home of its own. A failed test leaves a picture of the screen in workflow-shots/.
class WorkflowTest : public ::testing::Test {
protected:
    enum class Service { Recorded, AskedFor };
    explicit WorkflowTest(const QByteArray &extraIni = {}, QSize screen = {1600, 1000},
                          Service service = Service::Recorded)
        : desktop(screen)
        , corvalis(desktop, service == Service::Recorded ? sim.baseUrl() : QString(), extraIni) {}

    void SetUp() override {
        ASSERT_TRUE(desktop.started());
        ASSERT_TRUE(sim.started());
    }
    void TearDown() override {
        if (HasFailure())
            shot(u"failed"_s);
    }
    // A picture of the screen now, named after the test and `what`.
    void shot(const QString &what) const {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        QDir().mkpath(QStringLiteral(WORKFLOW_SHOTS_DIR));
        desktop.screenshot(
            QStringLiteral(WORKFLOW_SHOTS_DIR "/%1.%2-%3.png")
                .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()), what));
    }

    XDesktop desktop;
    SimProcess sim;
    CorvalisRun corvalis;
};
