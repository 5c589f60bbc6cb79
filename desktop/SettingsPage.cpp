#include "desktop/SettingsPage.h"

#include "desktop/Text.h"

namespace fennimar::desktop {

SettingsPage::SettingsPage(Settings& settings, const QString& title, const QString& summary,
                           QWidget* parent)
    : QWidget(parent), settings_(settings), title_(title) {
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped()), this);
  auto* explanation = new QLabel(summary, this);
  explanation->setWordWrap(true);
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("notice"));
  notice_->setWordWrap(true);
  notice_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  notice_->setFocusPolicy(Qt::TabFocus);
  notice_->hide();
  body_ = new QVBoxLayout;
  layout->addWidget(heading);
  layout->addWidget(explanation);
  layout->addWidget(notice_);
  layout->addLayout(body_, 1);
}

QString SettingsPage::notice() const { return notice_->isVisible() ? notice_->text() : QString(); }

void SettingsPage::ShowProblem(const QString& text, From from) {
  from_ = from;
  notice_->setStyleSheet(QStringLiteral(
      "QLabel { background: #fdecea; color: #611a15; border: 1px solid #e0a8a3;"
      " border-radius: 4px; padding: 8px; }"));
  notice_->setText(text);
  notice_->show();
}

void SettingsPage::ShowInfo(const QString& text) {
  from_ = From::kAction;
  notice_->setStyleSheet(QStringLiteral(
      "QLabel { background: #e8f4fd; color: #0d3c61; border: 1px solid #a6cdef;"
      " border-radius: 4px; padding: 8px; }"));
  notice_->setText(text);
  notice_->show();
}

void SettingsPage::LoadOk() {
  if (from_ == From::kLoad) ClearNotice();
}

void SettingsPage::ClearNotice() {
  notice_->clear();
  notice_->hide();
}

void SettingsPage::ShowSectionProblem(const QString& section, const QString& what,
                                      _Fennimar_ReturnCode_ code, From from) {
  const QString document = settings_.paths().document;
  if (!settings_.DocumentLoaded()) {
    ShowProblem(tr("The settings document %1 could not be loaded (%2), so %3 cannot be shown "
                   "or changed. Repair it in a text editor, or move it away: a fresh copy of the "
                   "template takes its place when the window reloads (F5).")
                    .arg(document, CodeName(code), what),
                from);
    return;
  }
  ShowProblem(tr("The settings document %1 has no %2 section (%3), so %4 cannot be shown or "
                 "changed. Add an empty <%2/> element under the document's root element, or "
                 "move the document away to start again from the template.")
                  .arg(document, section, CodeName(code), what),
              from);
}

}  // namespace fennimar::desktop
