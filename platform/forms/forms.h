// SPDX-License-Identifier: GPL-3.0-or-later
// The controls model: plain objects with the properties the game reads and
// writes. The Qt front shows them; the game never sees a widget.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/color.h"
#include "wingdi.h"

namespace forms {

constexpr int kTwipsPerPixel = 15;

// Geometry of every control is in pixels of its form's client area.
struct Control {
    explicit Control(std::string n) : name(std::move(n)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string name;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    Control* parent = nullptr;  // a frame that holds this control, if any
    // What a screen reader calls the control; empty: its caption or nothing.
    std::string accessibleName;

    void setTop(int y) { top = y; }
    void move(int x, int y, int w, int h) {
        left = x;
        top = y;
        width = w;
        height = h;
    }
};

struct Label : Control {
    using Control::Control;
    std::string caption;
    Color foreColor = kNoColor;
    Color backColor = kNoColor;
    double fontPoints = 9;
    bool proportionalFont = true;
    bool centred = false;
    std::function<void()> onMouseMove;
};

struct TextBox : Control {
    using Control::Control;
    std::string text;  // lines joined by CR LF, as the game builds them
    bool fixedPitch = false;
    double fontPoints = 9;
};

struct Button : Control {
    using Control::Control;
    std::string caption;
    Color backColor = kNoColor;
    double fontPoints = 9;
    int index = -1;  // position in an item array, -1 when the button stands alone
    std::function<void()> onClick;
    // A click reaches the handler only where a player could click.
    void click() {
        if (enabled && visible && onClick) onClick();
    }
};

struct Frame : Control {
    using Control::Control;
    std::string caption;
};

struct ImageControl : Control {
    using Control::Control;
    QImage picture;  // null: shows nothing
};

// A picture box: a drawing area (a 32-bit bitmap selected into its own device
// context) plus an optional loaded picture that cls() brings back.
class PictureBox : public Control {
public:
    PictureBox(std::string name, int width, int height);
    ~PictureBox() override;

    HDC hdc() const { return dc_; }

    // Loads a JPEG, GIF or PNG file (or a Qt resource path) as the picture and
    // shows it. With autoSize the drawing area takes the picture's size.
    // Returns false, leaving the box as it was, when the file can't be read;
    // only a regular file is opened, so a FIFO in its place never blocks.
    bool loadPicture(const std::string& path);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    bool autoSize = false;

    // The drawing area shows the picture again (or the back colour).
    void cls();
    Color backColor = rgb(0, 0, 0);

    // Drawing, antialiasing off; corners are rounded to whole pixels and boxes
    // include both corners.
    void line(double x1, double y1, double x2, double y2, Color c);
    void box(double x1, double y1, double x2, double y2, Color c);
    void filledBox(double x1, double y1, double x2, double y2, Color c);
    // Filled with the fill colour, outlined in c; the vertical radius is
    // radius x aspect.
    void filledEllipse(double x, double y, double radius, Color c, double aspect);
    void pset(double x, double y, Color c);
    void setFillColor(Color c) { fillColor_ = c; }
    Color fillColor() const { return fillColor_; }

    // Asks the window to show this box's drawing at the next repaint.
    void refresh() { ++refreshCount_; }
    unsigned refreshCount() const { return refreshCount_; }

    int scaleWidth() const { return areaWidth_; }
    int scaleHeight() const { return areaHeight_; }
    Color pixel(int x, int y) const;  // 0x00RRGGBB, 0 outside
    QImage image() const;             // a copy of the drawing area
    // The drawing area's memory itself, without a copy: valid until the next
    // drawing or resize, for showing it at once.
    QImage peek() const;
    // Moves on with every drawing on the area, through the box or through its
    // device context (BitBlt, a blend), and with a new area: a view that saw
    // the same version has nothing new to show.
    struct Version {
        HBITMAP bitmap = 0;
        uint32_t deviceWrites = 0;
        unsigned drawings = 0;
        bool operator==(const Version&) const = default;
    };
    Version version() const { return {bitmap_, lbBitmapWrites(bitmap_), drawings_}; }

private:
    void resizeArea(int w, int h);
    void fillRect(int l, int t, int r, int b, Color c);
    QImage view();  // the drawing area's memory, for QPainter; counts as a drawing

    HDC dc_ = 0;
    HBITMAP bitmap_ = 0;
    HGDIOBJ stock_ = 0;
    uint32_t* bits_ = nullptr;
    int areaWidth_ = 0, areaHeight_ = 0;
    QImage picture_;
    Color fillColor_ = rgb(0, 0, 0);
    unsigned refreshCount_ = 0;
    unsigned drawings_ = 0;
};

struct MenuItem {
    explicit MenuItem(std::string n = {}) : name(std::move(n)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string name;
    std::string caption;   // "-" makes a separator; & marks the access key
    std::string shortcut;  // "F2", "Ctrl+C", or empty
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    int index = -1;  // position in an item array (mnulv), -1 otherwise
    std::vector<MenuItem*> children;
    std::function<void()> onClick;

    bool isSeparator() const { return caption == "-"; }
    void click() {
        if (onClick) onClick();
    }
};

// The virtual-key code each control of a game pad stands for on a form (0:
// none): the d-pad or left stick left and right, the four face buttons by
// where they sit, and Start. Start with no code runs the form's onPadStart.
struct PadKeys {
    int left = 0, right = 0;
    int south = 0, west = 0, north = 0, east = 0;
    int start = 0;
};

// A window. Position and size are in twips, as the settings file keeps them.
struct Form {
    explicit Form(std::string n) : name(std::move(n)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string name;
    std::string caption;
    float left = 0, top = 0;                // twips
    float width = 0, height = 0;            // twips, outer size
    int clientWidth = 0, clientHeight = 0;  // pixels
    bool enabled = true;
    bool visible = false;
    bool loaded = true;
    QImage icon;
    std::vector<MenuItem*> menuBar;
    std::vector<Control*> controls;  // bottom of the z-order first
    // The close box, or any other way the window is unloaded.
    std::function<void()> onUnload;
    // A key pressed while the window has the keyboard (a virtual-key code), for
    // the windows that answer keys themselves; the game polls its play keys.
    std::function<void(int vk)> onKeyDown;

    // The player may resize and maximize the window and put it on the whole
    // screen; the controls then show enlarged together, by the largest whole
    // factor at which clientWidth x clientHeight fits, centred on black.
    bool scalable = false;
    // Whether the game polls this key (a virtual-key code) while it plays: the
    // window then leaves the key to the game instead of using it for itself.
    // A plain read of the game's state, safe to ask at any time.
    std::function<bool(int vk)> pollsKey;

    // A dialog: its buttons take the keyboard focus (Tab and Shift+Tab move it,
    // Space and Return press), and accessibility tools are told it is one.
    bool dialog = false;

    // A form a game pad plays: asked at every press of the pad, for the codes
    // as they stand. A pad does nothing on a form without it, nor while the
    // form is disabled, its window not the active one, or a menu or a modal
    // box open.
    std::function<PadKeys()> padKeys;
    std::function<void()> onPadStart;
};

// Walks a menu tree depth first, the item before its children.
void forEachItem(const std::vector<MenuItem*>& items, const std::function<void(MenuItem&)>& fn);
// Finds an item by name anywhere in the tree; nullptr if absent.
MenuItem* findItem(const std::vector<MenuItem*>& items, const std::string& name);

}  // namespace forms
