#pragma once

// Plain in-memory stand-ins for the screen, the prompts and the random source,
// so the board rules run in tests without Qt and without blocking on a dialog.

#include "board/board.h"
#include "board/errors.h"
#include "board/host.h"
#include "board/random.h"

#include <deque>
#include <string>
#include <vector>

namespace vantirelle::testing {

struct FakeTile {
    bool exists = false;
    std::string caption;
    bool visible = false;
    bool bold = false;
    float left = 0, top = 0, width = 0, height = 0;
};

class FakeHost : public BoardHost {
public:
    // The label is LabelCharWidth twips per character of its caption.
    static constexpr float LabelCharWidth = 90.0f;
    static constexpr float LabelLineHeight = 195.0f;

    FakeHost();

    std::vector<FakeTile> tiles;
    int focusedTile = -1;
    std::string frameCaption;
    float frameLeftValue = 0, frameTopValue = 120, frameWidthValue = 735, frameHeightValue = 855;
    std::string labelCaption = "You have made x Moves";
    float labelLeftValue = 0, labelTopValue = 960;
    float windowWidthValue = 3030, windowHeightValue = 6465;
    bool windowVisible = false;
    float tpx = 15, tpy = 15;
    mutable std::vector<int> captionReads; // every index whose caption was read, in order
    std::vector<std::string> events; // "hide", "show", "create N", "destroy N"

    int existingTiles() const;

    void createTile(Int16 index) override;
    void destroyTile(Int16 index) override;
    Int16 tileUpperBound() const override;
    void setTileCaption(Int16 index, std::string_view caption) override;
    const std::string& tileCaption(Int16 index) const override;
    void setTileVisible(Int16 index, bool visible) override;
    bool tileVisible(Int16 index) const override;
    void setTileBold(Int16 index, bool bold) override;
    bool tileBold(Int16 index) const override;
    void setTileFocus(Int16 index) override;
    void setTileLeft(Int16 index, float left) override;
    void setTileTop(Int16 index, float top) override;
    void setTileWidth(Int16 index, float width) override;
    void setTileHeight(Int16 index, float height) override;

    void setFrameCaption(std::string_view caption) override { frameCaption = caption; }
    float frameLeft() const override { return frameLeftValue; }
    void setFrameLeft(float left) override { frameLeftValue = left; }
    float frameTop() const override { return frameTopValue; }
    float frameWidth() const override { return frameWidthValue; }
    void setFrameWidth(float width) override { frameWidthValue = width; }
    float frameHeight() const override { return frameHeightValue; }
    void setFrameHeight(float height) override { frameHeightValue = height; }

    void setLabelCaption(std::string_view caption) override { labelCaption = caption; }
    float labelLeft() const override { return labelLeftValue; }
    void setLabelLeft(float left) override { labelLeftValue = left; }
    float labelTop() const override { return labelTopValue; }
    void setLabelTop(float top) override { labelTopValue = top; }
    float labelWidth() const override { return LabelCharWidth * static_cast<float>(labelCaption.size()); }
    float labelHeight() const override { return LabelLineHeight; }

    float windowWidth() const override { return windowWidthValue; }
    void setWindowWidth(float width) override { windowWidthValue = width; }
    float windowHeight() const override { return windowHeightValue; }
    void setWindowHeight(float height) override { windowHeightValue = height; }
    void hideWindow() override;
    void showWindow() override;

    float twipsPerPixelX() const override { return tpx; }
    float twipsPerPixelY() const override { return tpy; }

private:
    FakeTile& tile(Int16 index);
    const FakeTile& tile(Int16 index) const;
};

struct RecordedMessage {
    std::string text;
    int style;
    std::string title;
};

class FakePrompts : public Prompts {
public:
    std::vector<RecordedMessage> messages;
    std::deque<int> answers; // next answers; OK when empty
    int beeps = 0;

    int messageBox(std::string_view text, int style, std::string_view title) override;
    void beep() override { ++beeps; }
};

// Draws come from a script first, then from a fixed-seed generator.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(unsigned seed = 1) : m_seed(seed) {}
    std::deque<float> script;
    int reseeds = 0;
    int draws = 0;

    void reseed() override;
    float next() override;

private:
    unsigned m_seed;
    unsigned long long m_state = 0;
};

// A board on the fakes, built the way the game's commands build one.
struct FakeGame {
    explicit FakeGame(unsigned seed = 1) : random(seed) {}
    FakeHost host;
    FakePrompts prompts;
    ScriptedRandom random;
    Board board{host, prompts, random};

    // Clears the board if one was built, then builds one of the given size.
    void build(Int16 width, Int16 height);
};

} // namespace vantirelle::testing
