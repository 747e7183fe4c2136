#include "Dialer.h"

#include "TabGlyphs.h"
#include "UIKit/UIControl.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStatusBar.h"
#include "objc/message.h"

namespace phone {
namespace {

Value objectValue(id o) { return o ? Value(Ref<NSObject>(o)) : Value(); }

template <class Sig>
struct ResultOf;
template <class R, class... A>
struct ResultOf<R(A...)> {
    using type = R;
};

// Sends a message and notes what its original implementation received.
template <class Sig, class... Args>
auto sendRecorded(MessageRecord& record, id receiver, const char* selector, Args&&... args) {
    takeReceived();
    record.className = receiver->className();
    record.selector = selector;
    if constexpr (std::is_void_v<typename ResultOf<Sig>::type>) {
        objc_msgSend<Sig>(receiver, sel_registerName(selector), std::forward<Args>(args)...);
        record.received = takeReceived();
    } else {
        auto result = objc_msgSend<Sig>(receiver, sel_registerName(selector), std::forward<Args>(args)...);
        record.received = takeReceived();
        return result;
    }
}

}  // namespace

Dialer::Dialer()
    : application(objc_cast<MobilePhoneApplication>(UIApplication::sharedApplication())),
      statusBarStyle(make<UIStatusBarStyleAttributes>()),
      statusBarColours(make<UIStatusBarNewUIStyleAttributes>()),
      view(make<UIView>(UIScreen::mainScreen()->bounds())),
      lcdView(make<PHHandsetDialerLCDView>()),
      dialerView(make<PHHandsetDialerView>()),
      tabBar(make<UITabBar>()) {
    const CGFloat width = view->bounds().size.width, keypadTop = 115;
    lcdView->setFrame(CGRectMake(0, UIStatusBar::kHeight, width, keypadTop - UIStatusBar::kHeight));
    dialerView->setFrame(CGRectMake(0, keypadTop, width, tabBar->frame().origin.y - keypadTop));
    lcdView->setNumber(StockArguments::kTypedNumber);
    // Nothing typed, nothing to take back.
    dialerView->deleteKey()->setHidden(lcdView->number().empty());
    view->addSubview(lcdView);
    view->addSubview(dialerView);
    view->addSubview(tabBar);
}

std::vector<MessageRecord> Dialer::build() {
    void* pool = objc_autoreleasePoolPush();
    std::vector<MessageRecord> records(10);
    auto& r = records;
    // The report names the class that defines each method, as the tweak's table does.
    sendRecorded<void(BOOL)>(r[0], application, "_setApplicationIsOpaque:", StockArguments::kApplicationIsOpaque);
    r[0].className = "UIApplication";
    r[0].sent = {StockArguments::kApplicationIsOpaque};

    sendRecorded<void(NSInteger)>(r[1], application, "_setBackgroundStyle:", StockArguments::kBackgroundStyle);
    r[1].className = "UIApplication";
    r[1].sent = {static_cast<long long>(StockArguments::kBackgroundStyle)};

    // Every key's disc gets the fill; the report keeps the last message sent.
    Ref<UIColor> fill = StockArguments::keypadFill();
    for (const auto& key : dialerView->keys()) sendRecorded<void(id)>(r[2], key->shape(), "setFillColor:", fill.get());
    r[2].sent = {objectValue(fill)};

    id style = sendRecorded<id()>(r[3], statusBarStyle, "foregroundStyle");
    r[3].returned = objectValue(style);
    statusBarHidden = style == nullptr;

    auto request = make<UIStatusBarStyleRequest>();
    Ref<UIColor> bg = StockArguments::statusBarBackground(), fg = StockArguments::statusBarForeground();
    id attributes = sendRecorded<id(id, id, id)>(r[4], statusBarColours, "initWithRequest:backgroundColor:foregroundColor:",
                                                 static_cast<id>(request.get()), static_cast<id>(bg.get()),
                                                 static_cast<id>(fg.get()));
    r[4].sent = {objectValue(request), objectValue(bg), objectValue(fg)};
    r[4].returned = objectValue(attributes);

    Ref<UIColor> lcdColor = objc_cast<UIColor>(sendRecorded<id()>(r[5], lcdView, "lcdColor"));
    r[5].returned = objectValue(lcdColor);
    lcdView->setBackgroundColor(lcdColor);
    lcdView->setNeedsLayout();  // its ink follows the ground

    Ref<UIColor> dialerColor = objc_cast<UIColor>(sendRecorded<id()>(r[6], dialerView, "dialerColor"));
    r[6].returned = objectValue(dialerColor);
    dialerView->setBackgroundColor(dialerColor);
    dialerView->setNeedsLayout();

    Ref<UIColor> green = StockArguments::callButton();
    sendRecorded<void(id)>(r[7], dialerView->callButton(), "setBackgroundColor:", green.get());
    r[7].sent = {objectValue(green)};

    showsVoicemail = sendRecorded<BOOL()>(r[8], application, "showsPhoneVoicemail");
    r[8].returned = showsVoicemail;

    // The tab bar is built from the answer: Voicemail only when the application shows it.
    for (const auto& tab : tabs) tab->removeFromSuperview();
    tabs.clear();
    using Glyph = TabGlyph::Kind;
    for (auto [title, glyph] : {std::pair{"Favorites", Glyph::Star}, std::pair{"Recents", Glyph::Clock},
                                std::pair{"Contacts", Glyph::Person}, std::pair{"Keypad", Glyph::Keypad},
                                std::pair{"Voicemail", Glyph::Voicemail}}) {
        if (!showsVoicemail && glyph == Glyph::Voicemail) continue;
        tabs.push_back(make<PhoneTabBarButton>(title, make<TabGlyph>(glyph)));
        tabBar->addSubview(tabs.back());
    }
    // Each tab gets its normal then its selected colour; the report keeps the last message sent.
    Ref<UIColor> grey = StockArguments::tabGrey(), tint = StockArguments::tabTint();
    for (auto& tab : tabs) {
        tab->setSelected(tab->title() == StockArguments::kSelectedTab);
        for (auto [colour, state] : {std::pair{grey.get(), UIControlStateNormal}, std::pair{tint.get(), UIControlStateSelected}}) {
            MessageRecord record;
            sendRecorded<void(id, NSUInteger)>(record, tab, "_setContentTintColor:forState:", static_cast<id>(colour), state);
            // The tweak's table names the class that defines the method.
            record.className = "UITabBarButton";
            record.sent = {objectValue(colour), static_cast<long long>(state)};
            r[9] = std::move(record);
        }
    }
    objc_autoreleasePoolPop(pool);
    return records;
}

}  // namespace phone
