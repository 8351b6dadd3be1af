#pragma once

// Program > Compare with Radio...: reads the radio as Read from Radio does
// (the same question, progress window, password, retries, wire trace and
// backup), but into a document of its own, so the document open is never
// touched, and nothing is ever written to the radio. When the read has
// ended well, onCompared gets the radio's memory for the compare window.

#include "document.h"
#include "packets.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class RadioLink;

class CompareCommand : public QObject {
    Q_OBJECT
public:
    /// traceOf: the main link, whose wire trace the compare writes too.
    CompareCommand(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device, RadioLink& traceOf);
    ~CompareCommand() override;

    /// Starts the read; false when a compare already runs.
    bool start();
    void shutdown();
    [[nodiscard]] bool busy() const;

    /// The radio as read (memory, device), after a successful read.
    std::function<void(const link::RadioMemory&, const QString&)> onCompared;
    /// Started or ended (the main window's commands follow it).
    std::function<void()> onBusyChanged;

    /// What the radio holds, decoded as a read decodes it (valid after onCompared).
    [[nodiscard]] const Document& radioDocument() const { return radioDocument_; }
    [[nodiscard]] RadioLink& link() { return *link_; }

private:
    void finished(bool success);

    ui::AppContext& ctx_;
    RadioLink& traceOf_;
    Document radioDocument_;
    std::unique_ptr<RadioLink> link_;
};

} // namespace zav
