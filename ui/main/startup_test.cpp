#include "ui/main/startup.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "core/textfile.h"

namespace dawn {
namespace {

// A folder whose name is not UTF-8 (Latin-1 "Liège"): started there, the
// program finds its files under the folder's own bytes, and saves there.
TEST(LoadAppState, AFolderNamedInAnotherEncodingIsUsedByItsBytes) {
    QTemporaryDir temp;
    const std::string folder = temp.path().toStdString() + "/Li\xe8ge";
    std::filesystem::create_directory(folder);
    std::ofstream(folder + "/Dawncode.txt") << "3\r\n";
    std::ofstream(folder + "/Dawnlabel.txt") << "04-00-Deutsch\r\n04-09-Aufgang\r\n";

    AppState state;
    LoadAppState(state, StartupInputs{folder + "/", QLocale(QStringLiteral("de_DE")),
                                      std::chrono::year(2024) / 6 / 21, false});
    EXPECT_EQ(state.AppDir, folder);  // without the trailing separator
    EXPECT_EQ(state.Settings.LanguageIndex, 3);
    EXPECT_EQ(state.Current[label::kSunrise], "Aufgang");
    EXPECT_TRUE(state.PendingMessages.empty())
        << (state.PendingMessages.empty() ? "" : state.PendingMessages.front());
    EXPECT_EQ(state.Settings.SunRiseImageFile, folder + "/sunrise.jpg");
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    EXPECT_EQ(ReadTextFile(folder + "/Dawncode.txt").lines.size(), 19u);
}

}  // namespace
}  // namespace dawn
