#include "portraits/ShowFace.h"

#include "portraits/ArchiveFixture.h"
#include "portraits/PortraitDecoder.h"

#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ShowFace, PutsThePortraitIntoTheLabelAndLeavesItsVisibilityAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("grpfaces.s10");
    GrowFile(path, 37260);
    PutBytes(path, 37260 + 6144 * 5, PatternRecord(5));
    FaceArchive archive;
    ASSERT_TRUE(archive.Open(path));

    QLabel hidden;
    ShowFace(5, &hidden, archive);
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(hidden.isHidden());
    const QImage shown = hidden.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, DecodePortrait(5, archive).convertToFormat(QImage::Format_RGB32));

    QLabel visible;
    visible.show();
    ShowFace(5, &visible, archive);
    EXPECT_TRUE(visible.isVisible());
    EXPECT_EQ(visible.pixmap().size(), QSize(64, 80));

    ShowFace(5, nullptr, archive);
}

} // namespace
