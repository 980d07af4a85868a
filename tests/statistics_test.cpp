// This session's statistics: the clock, the wins, the bests and the averages.
#include "board/statistics.h"

#include <gtest/gtest.h>

using namespace vantirelle;

TEST(Statistics, AveragesDropTheBestAndWorstOfTheLastFiveOrTwelve)
{
    for (const auto& [times, count, average] : std::vector<std::tuple<std::vector<double>, std::size_t, std::optional<double>>>{
             {{10, 12, 11, 30, 9}, 5, 11.0},                  // 9 and 30 dropped
             {{99, 10, 12, 11, 30, 9}, 5, 11.0},              // only the last five count
             {{10, 12, 11, 9}, 5, std::nullopt},              // not yet five
             {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100}, 12, 6.5}, // 1 and 100 dropped, mean of 2..11
             {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12, std::nullopt},
         })
        EXPECT_EQ(averageOfLast(times, count), average);
}

TEST(Statistics, TheClockRunsFromTheFirstMoveToTheWinAndAGameWinsOnce)
{
    SessionStatistics stats;
    stats.newGame(4, 4, 0, false);
    EXPECT_FALSE(stats.current(5000).started) << "no clock before the first move";
    stats.moved(10'000, 1);
    stats.moved(12'000, 2);
    EXPECT_DOUBLE_EQ(stats.current(13'500).seconds, 3.5);
    const auto row = stats.won(20'000, 40);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->moves, 40);
    EXPECT_DOUBLE_EQ(row->seconds, 10.0);
    EXPECT_DOUBLE_EQ(row->tilesPerSecond(), 4.0);
    EXPECT_DOUBLE_EQ(stats.current(99'000).seconds, 10.0) << "the clock stops at the win";
    stats.moved(30'000, 41);
    EXPECT_FALSE(stats.won(31'000, 42)) << "solved again after playing on: no new win";
    EXPECT_EQ(stats.finished().size(), 1u);

    // An opened game, and one helped along, are marked; neither counts for the bests.
    stats.newGame(4, 4, 12, true);
    stats.moved(40'000, 13);
    EXPECT_EQ(stats.won(45'000, 20)->moves, 8) << "the moves made in this game";
    stats.newGame(4, 4, 0, false);
    stats.moved(50'000, 1);
    stats.assist();
    EXPECT_TRUE(stats.won(51'000, 30)->assisted);
    stats.newGame(3, 3, 0, false);
    stats.moved(60'000, 1);
    stats.won(62'500, 20);

    const auto sizes = stats.bySize();
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].width, 4);
    EXPECT_EQ(sizes[0].unassisted, 1);
    EXPECT_EQ(sizes[0].bestSeconds, 10.0);
    EXPECT_EQ(sizes[0].fewestMoves, 40);
    EXPECT_FALSE(sizes[0].averageOf5);
    EXPECT_EQ(sizes[1].fewestMoves, 20);
    EXPECT_EQ(stats.csv(), "size,moves,seconds,tiles_per_second,assisted\n"
                           "4x4,40,10.000,4.00,no\n4x4,8,5.000,1.60,yes\n4x4,30,1.000,30.00,yes\n3x3,20,2.500,8.00,no\n");
}
