#include "toolkit/TXPersonCell.h"

#include "Foundation/NSBundle.h"
#include "UIKit/UIDevice.h"
#include "objc/message.h"

OBJC_IMPLEMENTATION(TXPersonCell)

namespace {

bool isTablet() {
    UIDevice* device = UIDevice::currentDevice();
    if (!device || !device->respondsToSelector(SELECTOR("userInterfaceIdiom"))) return false;
    return objc_msgSend<NSInteger()>(device, SELECTOR("userInterfaceIdiom")) == UIUserInterfaceIdiomPad;
}

Ref<UILabel> personLabel(CGRect frame, const std::string& text, Ref<UIFont> font) {
    auto label = make<UILabel>(frame);
    label->setText(text);
    label->setBackgroundColor(UIColor::clearColor());
    label->setFont(font);  // an unknown font leaves the platform's default
    return label;
}

}  // namespace

Ref<UIImage> TXPersonCell::picture() const { return UIImage::imageNamed(imageName(), NSBundle::bundleForClass(isa())); }

UITableViewCell* TXPersonCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    if (!PSTableCell::initWithStyle(style, reuseIdentifier)) return nullptr;
    _background = make<UIImageView>(picture().get());
    _background->setFrame(CGRectMake(9, 18, 65, 65));
    addSubview(_background);
    const CGRect f = frame();
    label = personLabel(CGRectMake(f.origin.x + 84, f.origin.y + 18, f.size.width, f.size.height),
                        localizedString(name()),
                        isTablet() ? UIFont::fontWithName("Helvetica Light", 30) : UIFont::fontWithName("HelveticaNeue", 21));
    addSubview(label);
    label2 = personLabel(CGRectMake(f.origin.x + 84, f.origin.y + 42, f.size.width, f.size.height),
                         localizedString(personDescription()), UIFont::fontWithName("Helvetica", 15));
    label2->setTextColor(UIColor::colorWithRed(115 / 255.0, 115 / 255.0, 115 / 255.0, 1));
    addSubview(label2);
    return this;
}

void TXPersonCell::updateImage() {
    if (_background) _background->setImage(picture());
}

std::string TXPersonCell::localizedString(const std::string& key) const {
    UIView* container = superview();
    if (!container || !container->respondsToSelector(SELECTOR("bundle"))) return key;
    auto* bundle = objc_cast<NSBundle>(objc_msgSend<id()>(container, SELECTOR("bundle")));
    return bundle ? bundle->localizedString(key, key) : key;
}
