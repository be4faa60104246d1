// The warm-up's threads read the environment (fontconfig asks for HOME) while the browser engine
// starts on the main thread. An engine that adds a variable then may free the array they read.
#include "app/warm_up.h"

#include <QThreadPool>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
int environmentSize() {
    int size = 0;
    while (environ[size])
        ++size;
    return size;
}
} // namespace

TEST(WarmUp, TheEngineStartsWithoutAddingToTheEnvironmentTheThreadsRead) {
    WarmUp::startMeanwhile();
    char **const array = environ;
    const int size = environmentSize();
    QWebEnginePage page; // the first page starts the engine
    EXPECT_EQ(environmentSize(), size);
    EXPECT_EQ(environ, array);
    QThreadPool::globalInstance()->waitForDone();
}
