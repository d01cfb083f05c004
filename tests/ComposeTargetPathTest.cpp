// Joining parent and name: the separator rule and the buffer limits.
#include "Bramwick.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The three buffers with guard bytes around them, so that a write past any of them shows.
struct Buffers {
    char before[16];
    TextBuffer parentCopy;
    char between1[16];
    TextBuffer nameCopy;
    char between2[16];
    TextBuffer targetPath;
    char after[16];

    Buffers() { std::memset(this, '#', sizeof *this); }

    bool guardsIntact() const
    {
        for (const char *guard : {before, between1, between2, after}) {
            for (std::size_t i = 0; i < 16; ++i) {
                if (guard[i] != '#') {
                    return false;
                }
            }
        }
        return true;
    }

    bool compose(const std::string &parent, const std::string &name)
    {
        return composeTargetPath(parent.c_str(), name.c_str(), parentCopy, nameCopy, targetPath);
    }
};

struct Join {
    const char *parent;
    const char *name;
    const char *target;
};

class Joining : public testing::TestWithParam<Join> {};

TEST_P(Joining, AddsOneBackslashUnlessTheParentEndsInASeparator)
{
    Buffers buffers;
    ASSERT_TRUE(buffers.compose(GetParam().parent, GetParam().name));
    EXPECT_STREQ(buffers.targetPath, GetParam().target);
    EXPECT_STREQ(buffers.nameCopy, GetParam().name);
    EXPECT_EQ(std::string(buffers.targetPath), std::string(buffers.parentCopy) + GetParam().name);
    EXPECT_TRUE(buffers.guardsIntact());
}

INSTANTIATE_TEST_SUITE_P(Table, Joining,
                         testing::Values(Join{"C:\\", "New", "C:\\New"}, Join{"D:/", "New", "D:/New"},
                                         Join{"C:", "New", "C:\\New"}, Join{"", "New", "\\New"},
                                         Join{".", "New", ".\\New"}, Join{"C:\\Data", "New", "C:\\Data\\New"},
                                         Join{"C:\\Data", "", "C:\\Data\\"}, Join{"abc", "New", "abc\\New"},
                                         Join{"C:\\Data\\", "New", "C:\\Data\\New"},
                                         Join{"\\", "New", "\\New"}, Join{"/", "New", "/New"},
                                         Join{"a b\"c", " New\t ", "a b\"c\\ New\t "},
                                         Join{"C:\\Dat\xE9n", "\x80\xFF", "C:\\Dat\xE9n\\\x80\xFF"}));

struct Limit {
    std::size_t parentLength;
    char parentEnd;  // the parent's last byte
    std::size_t nameLength;
    bool fits;
};

class Limits : public testing::TestWithParam<Limit> {};

TEST_P(Limits, JoinedPathHasAtMost511BytesAndIsNeverCut)
{
    const Limit limit = GetParam();
    std::string parent(limit.parentLength, 'p');
    if (!parent.empty()) {
        parent.back() = limit.parentEnd;
    }
    const std::string name(limit.nameLength, 'n');
    Buffers buffers;
    EXPECT_EQ(buffers.compose(parent, name), limit.fits);
    EXPECT_TRUE(buffers.guardsIntact());
    if (limit.fits) {
        const std::string separator = limit.parentEnd == '\\' && !parent.empty() ? "" : "\\";
        EXPECT_EQ(std::string(buffers.targetPath), parent + separator + name);
    } else {
        EXPECT_STREQ(buffers.targetPath, "");  // refused whole: nothing that could be created
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Limits,
                         testing::Values(Limit{510, 'p', 0, true}, Limit{511, 'p', 0, false},
                                         Limit{511, '\\', 0, true}, Limit{512, '\\', 0, false},
                                         Limit{0, 'p', 510, true}, Limit{0, 'p', 511, false},
                                         Limit{255, 'p', 255, true}, Limit{255, 'p', 256, false},
                                         Limit{256, '\\', 255, true}, Limit{256, '\\', 256, false},
                                         Limit{1, 'p', 511, false}, Limit{100000, 'p', 1, false},
                                         Limit{1, 'p', 100000, false}));

}  // namespace
