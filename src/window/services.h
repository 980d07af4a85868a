#pragma once

#include "board/host.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace vantirelle {

// The screen as the game window sees it. Tests give a fixed size and resolution.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    virtual QSize sizePixels() const = 0;
    virtual QRect availableGeometry() const = 0; // pixels, without panels and docks
    virtual double logicalDpiX() const = 0;
    virtual double logicalDpiY() const = 0;

    // 1440 twips make an inch: 15 twips per pixel at 96 dots per inch.
    float twipsPerPixelX() const { return static_cast<float>(1440.0 / logicalDpiX()); }
    float twipsPerPixelY() const { return static_cast<float>(1440.0 / logicalDpiY()); }
};

// The primary screen, read afresh at every call.
class PrimaryScreen final : public ScreenSource {
public:
    QSize sizePixels() const override;
    QRect availableGeometry() const override;
    double logicalDpiX() const override;
    double logicalDpiY() const override;
};

// Message boxes and the beep for real.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    int messageBox(std::string_view text, int style, std::string_view title) override;
    void beep() override;

private:
    QWidget* m_parent;
};

} // namespace vantirelle
