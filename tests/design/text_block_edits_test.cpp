#include "design/text_block_edits.h"
#include "platform/profile.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const TextBlocks::Key kHeadTag{"General", "HeadTag"};
const TextBlocks::Key kHeadTagDiv{"General", "HeadTag_Div"};
const TextBlocks::Key kUpText{"Body", "UpText"};

class TextBlockEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* block : {"Meta", "Top"}) tmp.writeText(QString("data/Customize/%1.htm").arg(block), block);
        tmp.writeText("data/Customize/A.ini", "[General]\nHPTitle=A\n");
    }
    QString setFile() const { return tmp.file("data/Customize/A.ini"); }
    TempFolder tmp;
    TextBlockEdits edits{tmp.file("data/")};
};

}  // namespace

// An edit stays with its block, in memory, whatever is shown next; showing
// the block again gives back the edit and its mark.
TEST_F(TextBlockEditsTest, AnEditWaitsWithItsBlockAndShowingOthersWritesNothing) {
    EXPECT_EQ(edits.show(TextBlockEdits::Head, "Meta", kHeadTag), "Meta");
    EXPECT_FALSE(edits.isEdited(TextBlockEdits::Head));
    edits.edit(TextBlockEdits::Head, "〜¥−🍣\nline");
    EXPECT_TRUE(edits.isEdited(TextBlockEdits::Head));
    EXPECT_EQ(edits.show(TextBlockEdits::Head, "Top", kHeadTagDiv), "Top");
    EXPECT_FALSE(edits.isEdited(TextBlockEdits::Head));
    EXPECT_TRUE(edits.hasEdits());
    // The other box shows the same pool of blocks, edit included.
    EXPECT_EQ(edits.show(TextBlockEdits::UpDown, "Meta", kUpText), "〜¥−🍣\nline");
    EXPECT_TRUE(edits.isEdited(TextBlockEdits::UpDown));
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("Meta"));
    EXPECT_EQ(Profile::keyNames(setFile(), "General"), QStringList({"HPTitle"}));

    // Dropped: nothing is left to save, and the file is shown again.
    edits.drop(TextBlockEdits::UpDown);
    EXPECT_FALSE(edits.hasEdits());
    EXPECT_EQ(edits.show(TextBlockEdits::Head, "Meta", kHeadTag), "Meta");
    EXPECT_TRUE(edits.save(setFile()).isEmpty());
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("Meta"));
    EXPECT_EQ(Profile::keyNames(setFile(), "General"), QStringList({"HPTitle"}));

    // Without a block shown there is nothing to edit.
    edits.show(TextBlockEdits::Head, "", kHeadTag);
    edits.edit(TextBlockEdits::Head, "nowhere");
    EXPECT_FALSE(edits.hasEdits());
}

// Save writes each edit into its own block under every key it was typed
// under, and only there; a block that cannot be written keeps its edit.
TEST_F(TextBlockEditsTest, SaveWritesEachEditUnderItsKeysAndKeepsWhatFailed) {
    edits.show(TextBlockEdits::Head, "Meta", kHeadTag);
    edits.edit(TextBlockEdits::Head, "meta 〜 🍣");
    edits.show(TextBlockEdits::Head, "Meta", kHeadTagDiv);
    edits.edit(TextBlockEdits::Head, "meta 🍣 2");
    edits.show(TextBlockEdits::UpDown, "Top", kUpText);
    edits.edit(TextBlockEdits::UpDown, "top");
    edits.show(TextBlockEdits::UpDown, "Top", {});  // a category without a key
    edits.edit(TextBlockEdits::UpDown, "top 2");
    EXPECT_TRUE(edits.save(setFile()).isEmpty());
    EXPECT_FALSE(edits.hasEdits());
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("meta &#x1F363; 2\r\n"));
    EXPECT_EQ(tmp.read("data/Customize/Top.htm"), QByteArray("top 2\r\n"));
    EXPECT_EQ(Profile::readString(setFile(), "General", "HeadTag"), "Meta");
    EXPECT_EQ(Profile::readString(setFile(), "General", "HeadTag_Div"), "Meta");
    EXPECT_EQ(Profile::readString(setFile(), "Body", "UpText"), "Top");

    // A block whose file is a folder cannot be written: its edit waits.
    QDir().mkpath(tmp.file("data/Customize/Stuck.htm"));
    edits.show(TextBlockEdits::Head, "Stuck", kHeadTag);
    edits.edit(TextBlockEdits::Head, "stuck");
    EXPECT_EQ(edits.save(setFile()), QStringList({"Stuck"}));
    EXPECT_TRUE(edits.isEdited(TextBlockEdits::Head));
    edits.forget("Stuck");
    EXPECT_FALSE(edits.hasEdits());
}

// The live preview saves into the shown block whatever the box holds; text
// then meant for a new block is taken back out of it.
TEST_F(TextBlockEditsTest, RestoreShownPutsBackWhatTheBlockHeldWhenShownOrSaved) {
    edits.show(TextBlockEdits::Head, "Meta", kHeadTag);
    edits.edit(TextBlockEdits::Head, "for a new block");
    edits.save(setFile());
    EXPECT_TRUE(edits.restoreShown(TextBlockEdits::Head));
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("Meta"));

    edits.edit(TextBlockEdits::Head, "applied");
    edits.save(setFile());
    edits.takeSaved();
    edits.edit(TextBlockEdits::Head, "for another");
    edits.save(setFile());
    EXPECT_TRUE(edits.restoreShown(TextBlockEdits::Head));
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("applied\r\n"));

    // A block that had no file loses the one written since.
    edits.show(TextBlockEdits::UpDown, "Missing", kUpText);
    edits.edit(TextBlockEdits::UpDown, "x");
    edits.save(setFile());
    ASSERT_TRUE(QFileInfo::exists(tmp.file("data/Customize/Missing.htm")));
    EXPECT_TRUE(edits.restoreShown(TextBlockEdits::UpDown));
    EXPECT_FALSE(QFileInfo::exists(tmp.file("data/Customize/Missing.htm")));
}
