#pragma once
// A settings page: its rows (specifiers), a table of cells built from them, taps, and the default
// setter and getter that keep a row's value in its preference domain.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Preferences/PSSpecifier.h"
#include "Preferences/PSTableCell.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UITableView.h"

// What a group row shows in place of a cell: a header title and a footer, either possibly empty.
struct PSGroupRecord {
    std::string title;
    std::string footer;
};

class PSListController : public UIViewController {
    OBJC_INTERFACE(PSListController, UIViewController)

public:
    PSListController() = default;

    // The page's rows; here the cached list as it stands (nil until something fills it).
    virtual NSArray* specifiers() { return _specifiers; }
    // Replaces the rows; the cells of the old rows leave the table.
    void setSpecifiers(NSArray* specifiers);
    // Rows from the framework's own property list "<name>.plist" in the page's bundle: a dictionary
    // whose "items" array holds one row dictionary each, aimed at `target`, and an optional "title"
    // that becomes the page title. Empty (with one log line) when the file is missing or not such a
    // list.
    Ref<NSMutableArray> loadSpecifiersFromPlistName(const std::string& name, id target);

    // The bundle whose code defines the page's class.
    virtual NSBundle* bundle() const;
    UITableView* table();
    // The pane's navigation root, which presents sheets.
    UIViewController* rootController() const { return rootController_ ? rootController_ : navigationController(); }
    void setRootController(UIViewController* root) { rootController_ = root; }
    PSListController* parentController() const { return parentController_; }
    void setParentController(PSListController* parent) { parentController_ = parent; }
    // The row that opened this page, if any.
    PSSpecifier* specifier() const { return specifier_; }
    void setSpecifier(PSSpecifier* specifier) { specifier_ = specifier; }
    // The opening row's name, else the page's title. A page pushed from a row takes it as its title.
    virtual std::string navigationTitle();

    // The page's view is its table, grouped.
    void loadView() override;
    // Builds the cells the first time, otherwise shows every row's current value again.
    void viewWillAppear(bool animated) override;

    // Stores the value under the row's "key" in the domain its "defaults" names, then posts its
    // "PostNotification" when it has a non-empty one and the value was stored.
    virtual void setPreferenceValue(id value, PSSpecifier* specifier);
    // The stored value, or the row's "default" while none is stored.
    virtual Ref<NSObject> readPreferenceValue(PSSpecifier* specifier);
    // Whether the row shows its "default" because nothing is stored for it: showing a value is then
    // no reason to think that value is kept.
    static bool showsDefaultValue(PSSpecifier* specifier);

    // The table as the user sees it: one entry per specifier, groups included.
    size_t rowCount();
    PSSpecifier* specifierAtRow(size_t row);
    // The first row whose "id" is the text given; nil when none is.
    PSSpecifier* specifierForID(std::string_view identifier);
    // The row's cell; nil for a group (which is a header, not a cell) or a row out of range.
    UITableViewCell* cellAtRow(size_t row);
    // The row a specifier stands in (a cell's specifier, for a touch on the cell); -1 when it is
    // none of the page's rows.
    NSInteger indexOfSpecifier(const PSSpecifier* specifier);
    // The header and footer a group row shows; nullopt for any other row.
    std::optional<PSGroupRecord> groupAtRow(size_t row);
    // "height" when the row has a positive one, a number or a string read as a number, else 44.
    double heightOfRow(size_t row);
    // What tapping the row does: push its detail page, send its action, flip its switch. False
    // when the row opens nothing.
    virtual bool tapRow(size_t row);
    // Shows every row's current value again.
    void reloadCells();

    // Hosts watch storing through these: domain, key and value, after a value was stored.
    using StorageObserver = std::function<void(const std::string& domain, const std::string& key, id value)>;
    using StorageObserverToken = size_t;
    static StorageObserverToken addStorageObserver(StorageObserver observer);
    static void removeStorageObserver(StorageObserverToken token);
    // Replaces the observer added by an earlier call of this function, for a host that keeps one.
    static void setStorageObserver(StorageObserver observer);
    // A host learns of a value the store refused (domain, key, value, the store's reason) through
    // this one observer; setting another replaces it.
    using RefusalObserver =
        std::function<void(const std::string& domain, const std::string& key, id value, const std::string& problem)>;
    static void setRefusalObserver(RefusalObserver observer);

protected:
    // Shows the row's current contents in its cell; a page whose rows show more adds to it.
    virtual void refreshCell(PSTableCell* cell, PSSpecifier* specifier);

    Ref<NSArray> _specifiers;

private:
    void buildCells();
    // Lays the table out as iOS 7 groups its rows: the header at the top, each group after a gap
    // (a taller one when it has a title), its title above it, its footer below, padding at the end.
    void layoutRows();
    void discardCells();
    Ref<UITableViewCell> makeCell(PSSpecifier* specifier);
    bool pushDetail(PSSpecifier* specifier, Class detail);
    std::vector<Ref<UITableViewCell>> cells_;
    std::vector<Ref<UILabel>> groupLabels_;  // the groups' titles and footers, made again at each layout
    bool cellsBuilt_ = false;
    UIViewController* rootController_ = nullptr;
    PSListController* parentController_ = nullptr;
    Ref<PSSpecifier> specifier_;
};

// The page a choice row opens: one group, then one row per choice, the current one checked.
class PSListItemsController : public PSListController {
    OBJC_INTERFACE(PSListItemsController, PSListController)

public:
    PSListItemsController() = default;
    NSArray* specifiers() override;
    // Picking a choice stores its value through the opening row's setter and moves the check;
    // picking the checked one changes nothing, unless it is checked only as the row's "default".
    bool tapRow(size_t row) override;

protected:
    // A choice's cell is checked when its value is the opening row's current value.
    void refreshCell(PSTableCell* cell, PSSpecifier* specifier) override;

private:
    bool isCurrentChoice(PSSpecifier* item);
};
