#include "cli/convert/ConsoleHost.h"

#include <unistd.h>

#include <QSaveFile>

namespace {
const QString kQuestion = QStringLiteral("Would you like to overwrite ");
constexpr int kBarWidth = 30;
}  // namespace

ConsoleHost::ConsoleHost(Options options)
    : options_(std::move(options)), err_(stderr), drawBar_(options_.progress && isatty(STDERR_FILENO)) {}

void ConsoleHost::setProgressText(const QString& text) {
    progressText_ = text;
    drawProgress();
}

void ConsoleHost::setProgressValue(int percent) {
    progressValue_ = percent;
    drawProgress();
}

void ConsoleHost::drawProgress() {
    if (!drawBar_) return;
    const int filled = progressValue_ * kBarWidth / 100;
    err_ << '\r' << '[' << QString(filled, QLatin1Char('#')) << QString(kBarWidth - filled, QLatin1Char(' '))
         << "] " << QString::number(progressValue_).rightJustified(3) << "% " << progressText_.left(60)
         << "\x1b[K";
    err_.flush();
}

void ConsoleHost::clearProgressLine() {
    if (!drawBar_) return;
    err_ << "\r\x1b[K";
    err_.flush();
}

void ConsoleHost::showPreview() {
    // The one preview of the run: the script goes to its file and nothing is executed.
    QSaveFile file(options_.previewScript);
    if (!file.open(QIODevice::WriteOnly)) {
        reportError(QStringLiteral("Application Error"),
                    QStringLiteral("Cannot write the script file %1: %2").arg(options_.previewScript, file.errorString()));
        return;
    }
    const SqlScript& script = run_->script();
    QByteArray line;
    for (int i = 0; i < script.count(); ++i) {
        line = script.line(i).toUtf8();
        line.append('\n');
        file.write(line);
    }
    if (file.commit()) {
        scriptWritten_ = true;
    } else {
        reportError(QStringLiteral("Application Error"),
                    QStringLiteral("Cannot write the script file %1: %2").arg(options_.previewScript, file.errorString()));
    }
}

void ConsoleHost::information(const QString& text, const QString&) {
    clearProgressLine();
    QTextStream(stdout) << text << '\n';
}

bool ConsoleHost::askYesNo(const QString& text, const QString&) {
    if (options_.overwrite) return true;
    QString table = text;
    if (table.startsWith(kQuestion) && table.endsWith(QLatin1Char('?')))
        table = table.mid(kQuestion.size(), table.size() - kQuestion.size() - 1);
    clearProgressLine();
    err_ << "warning: table \"" << table
         << "\" already exists in the target and was skipped (use --overwrite yes to replace it)\n";
    err_.flush();
    return false;
}

void ConsoleHost::reportError(const QString& title, const QString& message) {
    ++failures_;
    clearProgressLine();
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    err_ << title << ": " << text << '\n';
    err_.flush();
}
