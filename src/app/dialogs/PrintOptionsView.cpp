#include "app/dialogs/PrintOptionsView.h"

#include "io/ExportEncodings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace fendle {

namespace {

QButtonGroup* addChoice(QWidget* parent, QBoxLayout* layout, const QStringList& titles) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < titles.size(); ++i) {
        auto* button = new QRadioButton(titles[i], parent);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return group;
}

}  // namespace

PrintOptionsView::PrintOptionsView(PrintViewController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("printOptionsView"));
    setWindowTitle(QStringLiteral("Fendle"));
    auto* layout = new QVBoxLayout(this);

    auto* what = new QHBoxLayout;
    QStringList whatTitles;
    for (PrintWhat choice : {PrintWhat::Current, PrintWhat::SearchResults, PrintWhat::All, PrintWhat::Flagged})
        whatTitles.append(ExportOptions::title(choice));
    printWhat_ = addChoice(this, what, whatTitles);
    layout->addLayout(what);
    connect(printWhat_, &QButtonGroup::idClicked, this, [this](int id) {
        controller_.options().what = PrintWhat(id);
        controller_.selectionChanged(Control::PrintWhat);
    });

    const bool printing = controller_.accessoryViewUsedForPrinting();
    pageBreak_ = addCheckBox(printing ? QStringLiteral("One slip per page") : QStringLiteral("Page break after each slip"),
                             &ExportOptions::pageBreak, Control::PageBreak);
    if (printing) pageBreak_->setToolTip(OneSlipPerPageToolTip);
    layout->addWidget(pageBreak_);

    auto* parts = new QHBoxLayout;
    keywords_ = addPartBox(QStringLiteral("Keywords"), &SlipExportString::Parts::keywords, Control::Keywords);
    source_ = addPartBox(QStringLiteral("Source"), &SlipExportString::Parts::source, Control::Source);
    type_ = addPartBox(QStringLiteral("Type"), &SlipExportString::Parts::type, Control::Type);
    scents_ = addPartBox(QStringLiteral("Scents"), &SlipExportString::Parts::scents, Control::Scents);
    for (QCheckBox* box : {keywords_, source_, type_, scents_}) parts->addWidget(box);
    layout->addLayout(parts);

    if (!printing) layout->addWidget(makeExportOptions());
    layout->addStretch();
    connect(&controller_, &PrintViewController::optionsChanged, this, &PrintOptionsView::showOptions);
    showOptions();
}

QCheckBox* PrintOptionsView::addCheckBox(const QString& title, bool ExportOptions::*field, Control control) {
    auto* box = new QCheckBox(title, this);
    connect(box, &QCheckBox::toggled, this, [this, field, control](bool on) {
        controller_.options().*field = on;
        controller_.selectionChanged(control);
        showOptions();
    });
    return box;
}

QCheckBox* PrintOptionsView::addPartBox(const QString& title, bool SlipExportString::Parts::*part, Control control) {
    auto* box = new QCheckBox(title, this);
    connect(box, &QCheckBox::toggled, this, [this, part, control](bool on) {
        controller_.options().parts.*part = on;
        controller_.selectionChanged(control);
    });
    return box;
}

QWidget* PrintOptionsView::makeExportOptions() {
    auto* group = new QGroupBox(QStringLiteral("Export"), this);
    auto* layout = new QVBoxLayout(group);
    auto* formats = new QHBoxLayout;
    format_ = addChoice(group, formats,
                        {ExportOptions::title(ExportFormat::Rtf), ExportOptions::title(ExportFormat::PlainText),
                         ExportOptions::title(ExportFormat::Pdf)});
    layout->addLayout(formats);
    connect(format_, &QButtonGroup::idClicked, this, [this](int id) {
        controller_.options().format = ExportFormat(id);
        controller_.selectionChanged(Control::Format);
        showOptions();
    });
    separateFiles_ = addCheckBox(QStringLiteral("Separate files"), &ExportOptions::separateFiles, Control::SeparateFiles);
    useTitles_ = addCheckBox(QStringLiteral("Use titles for file names"), &ExportOptions::useTitles, Control::UseTitles);
    layout->addWidget(separateFiles_);
    layout->addWidget(useTitles_);
    encoding_ = new QComboBox(group);
    for (int number : ExportEncodings::numbers()) encoding_->addItem(ExportEncodings::title(number), number);
    layout->addWidget(encoding_);
    connect(encoding_, &QComboBox::activated, this, [this](int index) {
        controller_.options().encoding = encoding_->itemData(index).toInt();
        controller_.selectionChanged(Control::Encoding);
    });
    return group;
}

void PrintOptionsView::showOptions() {
    const ExportOptions& options = controller_.options();
    const QSignalBlocker blockers[] = {QSignalBlocker(pageBreak_), QSignalBlocker(keywords_), QSignalBlocker(source_),
                                       QSignalBlocker(type_), QSignalBlocker(scents_)};
    if (QAbstractButton* button = printWhat_->button(int(options.what))) button->setChecked(true);
    pageBreak_->setChecked(options.pageBreak);
    keywords_->setChecked(options.parts.keywords);
    source_->setChecked(options.parts.source);
    type_->setChecked(options.parts.type);
    scents_->setChecked(options.parts.scents);
    if (!format_) return;
    const QSignalBlocker separate(separateFiles_), titles(useTitles_), encoding(encoding_);
    if (QAbstractButton* button = format_->button(int(options.format))) button->setChecked(true);
    separateFiles_->setChecked(options.separateFiles);
    useTitles_->setChecked(options.useTitles);
    useTitles_->setEnabled(controller_.useTitlesEnabled());
    encoding_->setCurrentIndex(encoding_->findData(options.encoding));
    encoding_->setEnabled(controller_.encodingEnabled());
}

}  // namespace fendle
