#include "screen_reader_announcement.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QString>
#include <QVariantMap>
#include <QWidget>

namespace {
// The connection Qt's AT-SPI bridge opens to the accessibility bus, under
// this name; the objects it serves are known to screen readers by it.
const QString BridgeConnection = QStringLiteral("a11y");

void sendDescriptionChange(const QDBusConnection& bus, const QString& path, const QString& text)
{
    QDBusMessage change = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    change << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(text)) << QVariantMap();
    bus.send(change);
}
} // namespace

// Qt 6.4 sends a description change with the object, not the new text, as the
// event's data, and Orca 43 fails on that and says nothing; it speaks the text
// of a description change of the object it follows. So the change is sent here
// as Orca expects it, from the bridge's own connection and for the object path
// the bridge serves the control under. The control's real description never
// changes, so a later visit to the control reads no old news.
void announceToScreenReaders(QWidget& focus, const QString& text)
{
    const QDBusConnection bus(BridgeConnection);
    if (!QAccessible::isActive() || !bus.isConnected())
        return;
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(&focus);
    // A widget may hand its focus to a part of it, such as an editable list's
    // field, and screen readers follow that part; a part that has the focus
    // itself answers itself.
    for (int depth = 0; control && depth < 8; ++depth) {
        QAccessibleInterface* part = control->focusChild();
        if (!part || part == control)
            break;
        control = part;
    }
    if (!control)
        return;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") +
                         QString::number(QAccessible::uniqueId(control));
    sendDescriptionChange(bus, path, text);
}
