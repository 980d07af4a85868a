#include "board/board.h"
#include "board/errors.h"
#include "board/shuffle.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

using namespace vantirelle;
using namespace vantirelle::testing;

namespace {

bool holdsEachTileOnceAndBlankLast(const std::vector<Int16>& order)
{
    if (order.empty() || order.back() != -1)
        return false;
    std::vector<Int16> tiles(order.begin(), order.end() - 1);
    std::sort(tiles.begin(), tiles.end());
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        if (tiles[i] != static_cast<Int16>(i + 1))
            return false;
    }
    return true;
}

} // namespace

TEST(ShuffledOrder, SmallestBoards)
{
    ScriptedRandom random;
    EXPECT_EQ(shuffledOrder(0, random), std::vector<Int16>{-1});
    const auto order = shuffledOrder(8, random);
    ASSERT_EQ(order.size(), 9u);
    EXPECT_TRUE(holdsEachTileOnceAndBlankLast(order));
    EXPECT_EQ(random.reseeds, 2) << "every call reseeds";
    EXPECT_THROW(shuffledOrder(-1, random), EmptyBoardError);
}

TEST(ShuffledOrder, ExchangeCountRunsFromOneThousandToSixThousandPlusOnePass)
{
    struct Case {
        float first;
        int exchanges;
    };
    // r = 0 gives 1000; the largest draw below 1 gives 5999.9995, which rounds to 6000.
    for (const Case c : {Case{0.0f, 1000}, Case{0.5f, 3500}, Case{0.99999994f, 6000}, Case{0.0001f, 1000}}) {
        ScriptedRandom random;
        random.script.push_back(c.first);
        shuffledOrder(8, random);
        EXPECT_EQ(random.draws, 1 + 2 * (c.exchanges + 1)) << c.first;
    }
}

TEST(ShuffledOrder, IndicesRoundHalfToEven)
{
    ScriptedRandom random;
    random.script.assign(1 + 2 * 1001, 0.0f);
    random.script[1] = 0.3125f; // 2.5 -> 2
    random.script[2] = 0.4375f; // 3.5 -> 4
    // Places 2 and 4 exchanged; every later pass exchanges place 0 with itself.
    // The 0 at place 0 then takes the last entry and the last place becomes the blank.
    const std::vector<Int16> expected{8, 1, 4, 3, 2, 5, 6, 7, -1};
    EXPECT_EQ(shuffledOrder(8, random), expected);
}

TEST(ShuffledOrder, BothEndsCanBeDrawn)
{
    ScriptedRandom random;
    random.script.assign(1 + 2 * 1001, 0.0f);
    random.script[2] = 0.99f; // 7.92 -> 8: the last place
    // 0 and 8 exchanged: the 0 already stands last and simply becomes the blank
    const std::vector<Int16> expected{8, 1, 2, 3, 4, 5, 6, 7, -1};
    EXPECT_EQ(shuffledOrder(8, random), expected);
}

TEST(MakeSolvable, OddOrdersAreEvenedAndSolvedOrdersMixed)
{
    std::vector<Int16> odd{2, 1, 3, -1};
    makeSolvable(odd, 2, 2);
    // evened into the solved order, which is then mixed by a three-cycle
    EXPECT_EQ(odd, (std::vector<Int16>{2, 3, 1, -1}));
    EXPECT_TRUE(isEvenPermutation(odd));

    std::vector<Int16> oddUnsolved{1, 2, 4, 3, 5, 6, 7, 8, -1};
    makeSolvable(oddUnsolved, 3, 3);
    EXPECT_EQ(oddUnsolved, (std::vector<Int16>{2, 1, 4, 3, 5, 6, 7, 8, -1}));

    std::vector<Int16> solved{1, 2, 3, 4, 5, 6, 7, 8, -1};
    makeSolvable(solved, 3, 3);
    EXPECT_EQ(solved, (std::vector<Int16>{2, 3, 1, 4, 5, 6, 7, 8, -1}));

    std::vector<Int16> alreadyEven{3, 1, 2, -1};
    makeSolvable(alreadyEven, 2, 2);
    EXPECT_EQ(alreadyEven, (std::vector<Int16>{3, 1, 2, -1}));
}

TEST(MakeSolvable, BoardsOneTileWideOrHighAreLeftAlone)
{
    std::vector<Int16> row{2, 1, 3, -1};
    makeSolvable(row, 4, 1);
    EXPECT_EQ(row, (std::vector<Int16>{2, 1, 3, -1}));
    makeSolvable(row, 1, 4);
    EXPECT_EQ(row, (std::vector<Int16>{2, 1, 3, -1}));
}

// A dealt board's captions as the shuffle's order: tile numbers, -1 for the blank.
std::vector<Int16> orderOf(const Board& board)
{
    std::vector<Int16> order;
    for (const std::string& caption : board.captions())
        order.push_back(static_cast<Int16>(caption.empty() ? -1 : std::stoi(caption)));
    return order;
}

TEST(DealtBoard, EveryNewBoardCanBeWonAndIsNotWonAlready)
{
    struct Size {
        Int16 width, height;
    };
    int oddBeforeMending = 0;
    for (const Size size : {Size{2, 2}, Size{3, 3}, Size{4, 4}, Size{5, 3}, Size{2, 7}, Size{8, 8}}) {
        for (unsigned seed = 1; seed <= 300; ++seed) {
            const Int16 n = static_cast<Int16>(size.width * size.height - 1);
            ScriptedRandom raw(seed);
            oddBeforeMending += isEvenPermutation(shuffledOrder(n, raw)) ? 0 : 1;

            ScriptedRandom random(seed);
            const std::vector<Int16> order = orderOf(Board::dealt(size.width, size.height, random));
            ASSERT_TRUE(holdsEachTileOnceAndBlankLast(order));
            EXPECT_TRUE(isEvenPermutation(order)) << size.width << "x" << size.height << " seed " << seed;
            EXPECT_FALSE(isSolvedOrder(order));
        }
    }
    // About half of the plain shuffles are odd, so the mending is really exercised.
    EXPECT_GT(oddBeforeMending, 600);
}

TEST(DealtBoard, AShuffleThatComesOutSolvedIsMixed)
{
    // Exchanges (1,2) then (2,3) on 0 1 2 3 give 0 2 3 1; the blank step turns that into 1 2 3 blank.
    auto script = [] {
        std::deque<float> s(1 + 2 * 1001, 0.0f);
        s[1] = 1.0f / 3.0f;
        s[2] = 2.0f / 3.0f;
        s[3] = 2.0f / 3.0f;
        s[4] = 0.99f;
        return s;
    };
    ScriptedRandom raw;
    raw.script = script();
    ASSERT_TRUE(isSolvedOrder(shuffledOrder(3, raw)));

    ScriptedRandom random;
    random.script = script();
    EXPECT_EQ(orderOf(Board::dealt(2, 2, random)), (std::vector<Int16>{2, 3, 1, -1}));
}

TEST(DealtBoard, TheSameSeedDealsTheSameBoard)
{
    // The deal is the shuffle's order, mended, as captions: nothing else draws from the source.
    for (unsigned seed : {3u, 77u}) {
        ScriptedRandom a(seed);
        ScriptedRandom b(seed);
        std::vector<Int16> order = shuffledOrder(15, a);
        makeSolvable(order, 4, 4);
        EXPECT_EQ(orderOf(Board::dealt(4, 4, b)), order);
    }
}

TEST(TimeSeededRandom, DrawsLieInTheUnitIntervalAndReseedsDiffer)
{
    TimeSeededRandom random;
    random.reseed();
    std::vector<float> first;
    for (int i = 0; i < 10000; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        if (i < 4)
            first.push_back(r);
    }
    random.reseed(); // a moment later: another seed, another board
    std::vector<float> second;
    for (int i = 0; i < 4; ++i)
        second.push_back(random.next());
    EXPECT_NE(first, second);
    EXPECT_LT(TimeSeededRandom::nanosecondsSinceMidnight(), 86'401ULL * 1'000'000'000ULL);
}
