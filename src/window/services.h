#pragma once

#include "board/layout.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace vantirelle {

class Prompts;
class RandomSource;

// The screen as the game window sees it. Tests give a fixed size and resolution.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    virtual QSize sizePixels() const = 0;
    virtual QRect availableGeometry() const = 0; // pixels, without panels and docks
    virtual double logicalDpiX() const = 0;
    virtual double logicalDpiY() const = 0;
    // False where the window system places windows and lets none move itself (Wayland):
    // there a window cannot even know where it is.
    virtual bool placesWindows() const { return true; }

    // 1440 twips make an inch: 15 twips per pixel at 96 dots per inch.
    TwipsPerPixel twipsPerPixel() const
    {
        return {static_cast<float>(1440.0 / logicalDpiX()), static_cast<float>(1440.0 / logicalDpiY())};
    }
};

// The primary screen, read afresh at every call.
class PrimaryScreen final : public ScreenSource {
public:
    QSize sizePixels() const override;
    QRect availableGeometry() const override;
    double logicalDpiX() const override;
    double logicalDpiY() const override;
    bool placesWindows() const override;
};

// The platform's file dialogs. An empty result is a cancel.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
};

// The system's clipboard, as far as boards as text need it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The text on the clipboard; nothing when it holds none (an image, or nothing at all).
    virtual std::optional<QString> text() const = 0;
    virtual void setText(const QString& text) = 0;
};

class SystemClipboard final : public Clipboard {
public:
    std::optional<QString> text() const override;
    void setText(const QString& text) override;
};

// What the game window needs from the world outside; tests pass fakes.
struct GameServices {
    Prompts* prompts = nullptr;
    ScreenSource* screen = nullptr;
    RandomSource* random = nullptr;
    FileDialogs* dialogs = nullptr;
    Clipboard* clipboard = nullptr;
    // Milliseconds on a clock that only goes forward, for the statistics; the system's when empty.
    std::function<std::int64_t()> clock;
    std::function<void()> showAbout;
};

} // namespace vantirelle
