#include "ColourTables.h"

namespace corvane {
namespace {
using Accessor = UIColor* (*)();

constexpr Accessor kBackground[] = {
    UIColor::blackColor,  UIColor::blueColor,   UIColor::brownColor,  UIColor::clearColor,  UIColor::cyanColor,
    UIColor::darkGrayColor, UIColor::grayColor, UIColor::greenColor,  UIColor::lightGrayColor,
    UIColor::magentaColor, UIColor::orangeColor, UIColor::purpleColor, UIColor::redColor,   UIColor::whiteColor,
    UIColor::yellowColor,
};

template <size_t N>
UIColor* lookup(const Accessor (&table)[N], int index) {
    return index >= 1 && static_cast<size_t>(index) <= N ? table[index - 1]() : nullptr;
}

// The text table is the background table without Clear.
constexpr Accessor kText[] = {
    UIColor::blackColor,  UIColor::blueColor,   UIColor::brownColor,   UIColor::cyanColor,  UIColor::darkGrayColor,
    UIColor::grayColor,   UIColor::greenColor,  UIColor::lightGrayColor, UIColor::magentaColor,
    UIColor::orangeColor, UIColor::purpleColor, UIColor::redColor,     UIColor::whiteColor, UIColor::yellowColor,
};
}  // namespace

UIColor* BackgroundColour(int index) { return lookup(kBackground, index); }
UIColor* TextColour(int index) { return lookup(kText, index); }

}  // namespace corvane
