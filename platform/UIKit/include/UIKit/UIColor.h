#pragma once
// Colours in device RGB, components in 0...1. The standard colours are shared instances.

#include <array>

#include "objc/runtime.h"

class UIColor : public NSObject {
    OBJC_INTERFACE(UIColor, NSObject)

public:
    UIColor() = default;
    UIColor(double r, double g, double b, double a) : rgba_{r, g, b, a} {}

    static Ref<UIColor> colorWithRed(double red, double green, double blue, double alpha);
    static UIColor* blackColor();
    static UIColor* darkGrayColor();
    static UIColor* lightGrayColor();
    static UIColor* whiteColor();
    static UIColor* grayColor();
    static UIColor* redColor();
    static UIColor* greenColor();
    static UIColor* blueColor();
    static UIColor* cyanColor();
    static UIColor* yellowColor();
    static UIColor* magentaColor();
    static UIColor* orangeColor();
    static UIColor* purpleColor();
    static UIColor* brownColor();
    static UIColor* clearColor();

    double red() const { return rgba_[0]; }
    double green() const { return rgba_[1]; }
    double blue() const { return rgba_[2]; }
    double alpha() const { return rgba_[3]; }
    const std::array<double, 4>& rgba() const { return rgba_; }

    bool isEqual(const UIColor& other) const { return rgba_ == other.rgba_; }
    // Every component within `tolerance` of the other colour's.
    bool _isSimilarToColor(const UIColor* other, double tolerance) const;

    // Makes the colour the current drawing context's fill colour, its stroke colour, or both.
    void setFill() const;
    void setStroke() const;
    void set() const;

    std::string description() const override;

private:
    std::array<double, 4> rgba_{0, 0, 0, 1};
};
