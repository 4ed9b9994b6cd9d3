// The GUI suite needs one QApplication for all its tests, on the offscreen platform, and a
// program folder of its own: a copy of the game database, and room for the player profile
// the start screen writes, so the build folder is never touched.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ui/widgets/Theme.h"

namespace {
QString Folder;
}

QString TestFolder() {
    return Folder;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    ApplyTheme(app);

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Cannot create a folder for the tests.\n");
        return 1;
    }
    // Listing the tests needs no database; the tests that start a game fail without one.
    const QString database = QStringLiteral(QUILLON_BINARY_DIR "/Database.pck");
    if (!QFile::copy(database, folder.filePath(QStringLiteral("Database.pck"))))
        std::fprintf(stderr, "No %s to copy; build the database target first.\n", qPrintable(database));
    Folder = QDir(folder.path()).absolutePath() + QLatin1Char('/');
    return RUN_ALL_TESTS();
}
