// bouyomiuserlist.txt: written in list order, read back to the same rows;
// lines that cannot be used stay in the file and are reported once.

#include <gtest/gtest.h>

#include <QTreeWidget>

#include <fstream>
#include <iterator>

#include "shell/app/session.h"
#include "shell/speech/speech_window_fixture.h"

namespace ruv::testing {
namespace {

class VoiceListFileTest : public SpeechWindowTest {
  protected:
    std::filesystem::path file() const { return folder() / "bouyomiuserlist.txt"; }
    std::string fileBytes() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void writeFile(const std::string& bytes) const {
        std::ofstream(file(), std::ios::binary) << bytes;
    }
};

TEST_F(VoiceListFileTest, RowsAreWrittenInOrderAndReadBackTheSame) {
    const std::vector<VoiceProfile> rows{{"abc", 3, 80, 120, 90}, {"xy", 0, 100, 100, 100}};
    window->storedSpeech().setVoiceProfiles(rows);
    window->SaveVoiceList(folder());
    EXPECT_EQ(fileBytes(), "abc=3,80,120,90\r\nxy=0,100,100,100\r\n");

    auto second = makeWindow();
    second->LoadVoiceList(folder());
    EXPECT_EQ(second->storedSpeech().voiceList().Profiles(), rows);
    QTreeWidget* view = second->voiceListView();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    EXPECT_EQ(view->objectName(), QStringLiteral("BouListView01"));
    EXPECT_FALSE(view->isVisibleTo(second.get()));
    EXPECT_EQ(view->topLevelItem(0)->text(0), QStringLiteral("abc"));
    EXPECT_EQ(view->topLevelItem(0)->text(3), QStringLiteral("120"));
    EXPECT_EQ(second->session().core.state.voices.Profiles(), rows);
}

TEST_F(VoiceListFileTest, AnEmptyListIsWrittenAsAnEmptyFile) {
    writeFile("old=1,2,3,4\r\n");
    window->SaveVoiceList(folder());
    EXPECT_TRUE(std::filesystem::exists(file()));
    EXPECT_EQ(fileBytes(), "");
}

TEST_F(VoiceListFileTest, UnusableLinesStayInTheFileAndAreReportedOnce) {
    writeFile("abc=3,80,120,90\r\nno equals sign\r\nxy=loud,100,100,100\r\n\r\nzz=1,2,3,4\r\n");
    window->LoadVoiceList(folder());

    ASSERT_EQ(window->storedSpeech().voiceList().Profiles().size(), 2u);
    EXPECT_EQ(window->storedSpeech().voiceList().Profiles()[1].Name, "zz");
    const QStringList lines = errorLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], QStringLiteral("bouyomiuserlist.txtの2,3行目は読めないため読み上げに使いま"
                                       "せん(FormCreate) 2024/05/01 9:05:07"));

    window->SaveVoiceList(folder());
    const std::string saved = fileBytes();
    EXPECT_NE(saved.find("no equals sign\r\n"), std::string::npos);
    EXPECT_NE(saved.find("xy=loud,100,100,100\r\n"), std::string::npos);
    EXPECT_EQ(saved.rfind("abc=3,80,120,90\r\n", 0), 0u);
}

TEST_F(VoiceListFileTest, NoFolderMeansNoFileAndAMissingFileKeepsTheList) {
    window->storedSpeech().setVoiceProfiles({{"abc", 3, 80, 120, 90}});
    window->SaveVoiceList({});
    EXPECT_FALSE(std::filesystem::exists(file()));
    window->LoadVoiceList(folder());  // missing
    EXPECT_EQ(window->storedSpeech().voiceList().Profiles().size(), 1u);
    EXPECT_TRUE(errorLines().isEmpty());
}

}  // namespace
}  // namespace ruv::testing
