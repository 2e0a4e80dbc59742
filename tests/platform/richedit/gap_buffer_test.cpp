#include "platform/richedit/gap_buffer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/richedit/partitioning.h"

using namespace win32::richedit;

TEST(GapBuffer, RandomEditsMatchAVector) {
    std::mt19937 rng(1);
    GapBuffer<int> buf;
    std::vector<int> model;
    for (int step = 0; step < 5000; ++step) {
        Pos pos = static_cast<Pos>(rng() % (model.size() + 1));
        if (rng() % 3 != 0) {
            std::vector<int> items(rng() % 20);
            for (int& v : items) v = static_cast<int>(rng());
            buf.Insert(pos, items.data(), static_cast<Pos>(items.size()));
            model.insert(model.begin() + pos, items.begin(), items.end());
        } else {
            Pos n = static_cast<Pos>(rng() % (model.size() - pos + 1));
            buf.Delete(pos, n);
            model.erase(model.begin() + pos, model.begin() + pos + n);
        }
        ASSERT_EQ(buf.Length(), static_cast<Pos>(model.size()));
        if (step % 97 == 0) {
            std::vector<int> copy(model.size());
            buf.Copy(0, buf.Length(), copy.data());
            ASSERT_EQ(copy, model);
        }
    }
    for (Pos i = 0; i < buf.Length(); ++i) ASSERT_EQ(buf[i], model[static_cast<std::size_t>(i)]);
    // The two runs around the gap together hold the items.
    ASSERT_EQ(buf.BeforeLength() + buf.AfterLength(), buf.Length());
}

TEST(GapBuffer, AppendSpaceWritesInPlace) {
    GapBuffer<char16_t> buf;
    char16_t* p = buf.AppendSpace(3);
    p[0] = u'a';
    p[1] = u'b';
    buf.CommitAppend(2);
    EXPECT_EQ(buf.Length(), 2);
    EXPECT_EQ(buf[1], u'b');
    EXPECT_NE(buf.Contiguous(0, 2), nullptr);
}

TEST(Partitioning, RandomEditsMatchAPlainList) {
    std::mt19937 rng(2);
    Partitioning part;
    std::vector<Pos> model = {0, 0};
    for (int step = 0; step < 4000; ++step) {
        Pos partitions = static_cast<Pos>(model.size()) - 1;
        switch (rng() % 3) {
            case 0: {  // shift
                Pos p = static_cast<Pos>(rng() % partitions);
                Pos delta = static_cast<Pos>(rng() % 10);
                part.InsertText(p, delta);
                for (std::size_t i = p + 1; i < model.size(); ++i) model[i] += delta;
                break;
            }
            case 1: {  // split a partition
                Pos p = static_cast<Pos>(rng() % partitions);
                Pos lo = model[p];
                Pos hi = model[p + 1];
                Pos v = lo + (hi > lo ? static_cast<Pos>(rng() % (hi - lo + 1)) : 0);
                part.InsertPartitions(p + 1, &v, 1);
                model.insert(model.begin() + p + 1, v);
                break;
            }
            default: {  // merge
                if (partitions < 2) break;
                Pos p = 1 + static_cast<Pos>(rng() % (partitions - 1));
                Pos n = 1 + static_cast<Pos>(rng() % std::min<Pos>(3, partitions - p));
                part.RemovePartitions(p, n);
                model.erase(model.begin() + p, model.begin() + p + n);
            }
        }
        ASSERT_EQ(part.Partitions(), static_cast<Pos>(model.size()) - 1);
        Pos probe = static_cast<Pos>(rng() % model.size());
        ASSERT_EQ(part.PositionFromPartition(probe), model[probe]) << step;
        Pos pos = static_cast<Pos>(rng() % (model.back() + 1));
        Pos expect = static_cast<Pos>(std::upper_bound(model.begin(), model.end() - 1, pos) - model.begin()) - 1;
        ASSERT_EQ(part.PartitionFromPosition(pos), std::max<Pos>(expect, 0)) << step;
    }
}
