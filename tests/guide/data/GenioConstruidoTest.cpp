// The Genie the build made carries every animation the program plays.
#include "platform/Agent.h"
#include "platform/CharacterFile.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>

using agent::CharacterData;
namespace cf = agent::characterfile;

TEST(CharacterFile, TheBuiltGenieHasEveryAnimationThePlayUses) {
    const CharacterData d = cf::Read(QStringLiteral(PALAVRIX_BUILD_DIR "/Genie.ACS"));
    EXPECT_EQ(d.name, QStringLiteral("Genie"));
    EXPECT_EQ(d.size, QSize(128, 128));
    for (const char* name : {"GestureRight",
                             "GestureRightReturn",
                             "GestureDown",
                             "GestureDownReturn",
                             "GestureUp",
                             "Explain",
                             "Announce",
                             "Congratulate",
                             "CongratulateReturn",
                             "Suggest",
                             "Decline",
                             "Sad",
                             "Read",
                             "ReadReturn",
                             "Wave",
                             "Greet",
                             "GreetReturn",
                             "Hear_3",
                             "idle2_1",
                             "Idle1_4",
                             "Idle3_2"}) {
        const auto* frames = d.Animation(QString::fromLatin1(name));
        ASSERT_NE(frames, nullptr) << name;
        EXPECT_GE(frames->size(), 3u) << name;
        // A gesture really moves: its frames are not all one picture.
        std::set<int> distintas;
        for (const auto& f : *frames)
            distintas.insert(f.picture);
        EXPECT_GE(distintas.size(), 3u) << name;
    }
    ASSERT_NE(d.Animation(d.show), nullptr);
    ASSERT_NE(d.Animation(d.hide), nullptr);
    EXPECT_FALSE(d.idle.isEmpty());
    EXPECT_EQ(d.mouths.size(), 3u);
    // Frames are drawn on transparency: the corners are see-through, the middle is not.
    const QImage& rest = d.pictures[size_t(d.Animation(d.rest)->front().picture)];
    EXPECT_EQ(qAlpha(rest.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(rest.pixel(127, 0)), 0);
    EXPECT_EQ(qAlpha(rest.pixel(64, 70)), 255);
}
