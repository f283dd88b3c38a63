// Opening the product's addresses through the desktop, with a message where nothing opens them.
#include "ui/ProductAddresses.h"

#include "game/Ports.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

void Open(const QUrl& url, const QString& failure) {
    if (!QDesktopServices::openUrl(url)) {
        Ports().ShowError(failure);
    }
}

} // namespace

void OpenWebPage() {
    const QString address = QString::fromLatin1(WebPageAddress);
    Open(QUrl(address),
         QStringLiteral("The web page %1 could not be opened: no web browser is set up")
             .arg(address));
}

void WriteToSupport() {
    const QString address = QString::fromLatin1(SupportEMailAddress);
    Open(QUrl(QStringLiteral("mailto:") + address),
         QStringLiteral("A mail to %1 could not be started: no mail program is set up")
             .arg(address));
}
