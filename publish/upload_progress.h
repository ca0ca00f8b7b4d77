#pragma once
// What an upload reports to the shared progress window and the main window,
// kept behind an interface so that the upload's logic runs without widgets.
#include <QString>
#include <functional>

namespace Publish {

// The progress window: caption, title line, text, bar and the OK button.
class UploadProgress {
public:
    virtual ~UploadProgress() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual void setOkEnabled(bool enabled) = 0;
    // The window refuses to close while this is false.
    virtual void setEnableBatsuBtn(bool enabled) = 0;
    // Let pending window events run, then repaint (the design's "yield").
    virtual void yield() = 0;
    virtual void repaint() = 0;
    // Closes the window (before the ping command).
    virtual void unload() = 0;
};

// What the upload asks of the rest of the program. Each may be left empty.
struct UploadServices {
    std::function<void(const QString&)> setStatusText;  // first panel of the status bar
    std::function<void(bool)> setBusyPointer;           // hourglass on / default
    std::function<void(const QString&)> playSound;      // file to play; "" plays nothing
    std::function<void()> ping;                         // the ping command
};

}  // namespace Publish
