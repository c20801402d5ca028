#pragma once
// Control state as a form's logic sees it. Each window or dialog is a core class holding these
// objects under its controls' names; the Win32 binder keeps the real controls in step both ways:
// a change made here reaches the real control through the sink, and a change the user makes there
// is stored here before the form's handler runs.
#include <functional>
#include <string>
#include <vector>

namespace tarvoline {

class Control;

// Told about every change the program makes to a control (not about changes the binder stores).
class ControlSink {
public:
    virtual ~ControlSink() = default;
    virtual void ControlChanged(Control& control) = 0;
};

class Control {
public:
    explicit Control(std::string name, std::string text = {}, std::string hint = {})
        : name_(std::move(name)), text_(std::move(text)), hint_(std::move(hint)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { Assign(enabled_, enabled); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Assign(visible_, visible); }
    // Caption of a button or label, text of an edit (ANSI code page).
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { Assign(text_, text); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { Assign(hint_, hint); }
    bool Focused() const { return focusRequested_; }
    // Asks for the keyboard focus; the binder moves it and clears the request.
    void SetFocus() {
        focusRequested_ = true;
        Notify();
    }
    void FocusDone() { focusRequested_ = false; }

    // What the user did, forwarded by the binder.
    std::function<void()> OnClick;
    std::function<void()> OnChange;

    // The binder stores the user's edits without echoing them back.
    void StoreText(const std::string& text) { text_ = text; }

    void SetSink(ControlSink* sink) { sink_ = sink; }

protected:
    template <typename T> void Assign(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Notify();
    }
    void Notify() {
        if (sink_) sink_->ControlChanged(*this);
    }

private:
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string text_;
    std::string hint_;
    bool focusRequested_ = false;
    ControlSink* sink_ = nullptr;
};

// Edits whose every character is shown as the mask character ('\0' shows the text in clear).
class EditControl : public Control {
public:
    using Control::Control;
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char mask) { Assign(passwordChar_, mask); }

private:
    char passwordChar_ = '\0';
};

// Check boxes and radio buttons.
class CheckControl : public Control {
public:
    using Control::Control;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { Assign(checked_, checked); }
    void StoreChecked(bool checked) { checked_ = checked; }

private:
    bool checked_ = false;
};

// Combo boxes, list boxes and check list boxes.
class ListControl : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items) {
        itemChecked_.assign(items.size(), false);
        itemIndex_ = -1;
        Assign(items_, items);
    }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index) { Assign(itemIndex_, index); }
    void StoreItemIndex(int index) { itemIndex_ = index; }
    // The selected item's text, or "" when none is selected.
    std::string SelectedText() const {
        return itemIndex_ >= 0 && itemIndex_ < static_cast<int>(items_.size()) ? items_[static_cast<std::size_t>(itemIndex_)]
                                                                             : std::string();
    }
    // Check marks of a check list box.
    bool ItemChecked(int index) const { return itemChecked_.at(static_cast<std::size_t>(index)); }
    void SetItemChecked(int index, bool checked) {
        if (itemChecked_.at(static_cast<std::size_t>(index)) == checked) return;
        itemChecked_[static_cast<std::size_t>(index)] = checked;
        Notify();
    }
    void StoreItemChecked(int index, bool checked) { itemChecked_.at(static_cast<std::size_t>(index)) = checked; }
    // The user changed an item's check mark (stored before this runs).
    std::function<void()> OnClickCheck;

private:
    std::vector<std::string> items_;
    std::vector<bool> itemChecked_;
    int itemIndex_ = -1;
};

// Report lists whose rows are a caption and an icon of the window's image list. The rows are set as a
// whole; a single icon can change afterwards, and a row can be asked to scroll fully into view.
class RowListControl : public Control {
public:
    struct Row {
        std::string caption;
        int icon = -1; // -1: no icon
        bool operator==(const Row&) const = default;
    };

    using Control::Control;
    const std::vector<Row>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const Row& RowAt(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    void SetRows(const std::vector<Row>& rows) { Assign(rows_, rows); }
    void SetRowIcon(int index, int icon) {
        Row& row = rows_.at(static_cast<std::size_t>(index));
        if (row.icon == icon) return;
        row.icon = icon;
        Notify();
    }
    // The row the binder is to scroll into view (-1 none); the binder clears the request.
    int RowToShow() const { return rowToShow_; }
    void MakeRowVisible(int index) {
        rowToShow_ = index;
        Notify();
    }
    void RowShown() { rowToShow_ = -1; }

private:
    std::vector<Row> rows_;
    int rowToShow_ = -1;
};

// A window's timer: Enabled means running; OnTimer runs every Interval() milliseconds while it runs.
// The binder keeps the platform timer in step with Enabled.
class TimerControl : public Control {
public:
    TimerControl(std::string name, int intervalMs, bool enabled) : Control(std::move(name)), interval_(intervalMs) {
        SetEnabled(enabled);
    }
    int Interval() const { return interval_; }
    std::function<void()> OnTimer;

private:
    int interval_;
};

} // namespace tarvoline
