#include "platform/browser_launcher.h"

namespace vrn {

namespace {

bool isDesktopScheme(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto") || scheme == QLatin1String("file");
}

QString launchFailedMessage(const QString& browserPath) {
    return QStringLiteral(
               "Unable to launch the browser.  Please insure that the browser path: '%1' listed "
               "in user preferences is valid")
        .arg(browserPath);
}

}  // namespace

BrowserLauncher::BrowserLauncher(ProgramStarter& starter, Prompt& prompt)
    : starter_(starter), prompt_(prompt) {}

BrowserLauncher::Outcome BrowserLauncher::report(Outcome outcome, const QString& message) {
    prompt_.messageBox(message, {.buttons = MsgBoxButtons::OkOnly}, QStringLiteral("Error"));
    return outcome;
}

BrowserLauncher::Outcome BrowserLauncher::openInBrowser(const QString& text,
                                                        const QString& browserPath) {
    const QString link = text.trimmed();
    if (link.isEmpty()) {
        return Outcome::NothingToOpen;
    }
    // A browser reads a leading "-" as one of its own options, some of which run programs.
    if (link.startsWith(QLatin1Char('-'))) {
        return report(Outcome::Refused,
                      QStringLiteral("The link '%1' was not opened: a link may not begin with '-'.")
                          .arg(link));
    }
    if (!browserPath.trimmed().isEmpty()) {
        if (!starter_.startDetached(browserPath.trimmed(), {link})) {
            return report(Outcome::Failed, launchFailedMessage(browserPath));
        }
        return Outcome::Started;
    }
    const QUrl url(link, QUrl::StrictMode);
    if (!url.isValid() || !isDesktopScheme(url)) {
        return report(Outcome::Refused,
                      QStringLiteral("The link '%1' was not opened: without a browser path in the "
                                     "preferences only http, https, mailto and file links are "
                                     "opened.")
                          .arg(link));
    }
    if (!starter_.openWithDesktop(url)) {
        return report(Outcome::Failed, launchFailedMessage(browserPath));
    }
    return Outcome::Started;
}

}  // namespace vrn
