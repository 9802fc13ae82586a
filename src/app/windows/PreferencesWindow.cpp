#include "app/windows/PreferencesWindow.h"

#include "app/editing/TextFormatMapping.h"
#include "appcore/CacheTimers.h"
#include "platform/system/Defaults.h"
#include "platform/richtext/RtfFontNames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHideEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fendle {

namespace {
// What the check boxes say, by key.
const std::map<QString, QString>& checkBoxTitles() {
    static const std::map<QString, QString> titles{
        {Preferences::SUEnableAutomaticChecks, QStringLiteral("Check for application updates automatically")},
        {Preferences::CheckForPlugInUpdates, QStringLiteral("Check for plug-in updates at launch")},
        {Preferences::SaveBackup, QStringLiteral("Keep a backup copy when saving")},
        {Preferences::SaveWindowPositionOnExit, QStringLiteral("Save window position and size")},
        {Preferences::TerminateWhenLastDocumentIsClosed, QStringLiteral("Quit when the last window is closed")},
        {Preferences::AutoCompleteKeywords, QStringLiteral("Complete keywords")},
        {Preferences::AutoCompleteSources, QStringLiteral("Complete sources")},
        {Preferences::AutoSave, QStringLiteral("Save boxes automatically")},
        {Preferences::TabSwitchesToKeywords, QStringLiteral("Tab in the slip text moves to the keywords")},
    };
    return titles;
}

const QStringList& startupModeTitles() {
    static const QStringList titles{QStringLiteral("Open nothing"), QStringLiteral("Open a new box"),
                                    QStringLiteral("Show the file dialog"), QStringLiteral("Reopen the last box"),
                                    QStringLiteral("Open the default box:")};
    return titles;
}

// The first slip a box shows; anything but the last two means the last slip.
const QStringList& slipToDisplayChoices() {
    static const QStringList choices{QStringLiteral("Last in fendle"), QStringLiteral("Most recent"),
                                     QStringLiteral("Random")};
    return choices;
}

// A minutes field: digits only, as wide as a few of them.
void makeMinutesField(QLineEdit* field) {
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), field));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
}
}  // namespace

PreferencesWindow::PreferencesWindow(Preferences& preferences, Defaults& defaults, CacheTimers& cacheTimers,
                                     QWidget* parent)
    : QDialog(parent), preferences_(preferences), defaults_(defaults), cacheTimers_(cacheTimers), pages_(new QTabWidget(this)) {
    setModal(false);
    pages_->addTab(makeGeneralPage(), QStringLiteral("General"));
    // "&&": a single "&" would make the next letter a mnemonic.
    pages_->addTab(makeFontPage(), QStringLiteral("Fonts && Colours"));
    // The desktop's search on Linux is not the other platform's; its page says what it is here.
    pages_->addTab(makeSpotlightPage(), QStringLiteral("Desktop Search"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    // One title for the window, as desktop settings dialogues have; the tabs name the pages.
    setWindowTitle(QStringLiteral("Fendle Preferences"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(close);

    chooseFont = [this](const QFont& current, const QString& title) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, this, title);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    chooseColour = [this](const QColor& current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, this, QStringLiteral("Highlight Colour"));
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    ownsDocumentChooser_ = !preferences_.chooseDefaultDocument;
    if (ownsDocumentChooser_)
        preferences_.chooseDefaultDocument = [this]() -> std::optional<QString> {
            QFileDialog panel(this, QStringLiteral("Default Document"));
            panel.setLabelText(QFileDialog::LookIn, QStringLiteral("Choose the file that will be loaded on startup!"));
            panel.setFileMode(QFileDialog::ExistingFile);
            panel.setNameFilter(QStringLiteral("Fendle boxes (*.fendle)"));
            if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) return std::nullopt;
            return panel.selectedFiles().first();
        };
    updateUI();
}

PreferencesWindow::~PreferencesWindow() {
    if (ownsDocumentChooser_) preferences_.chooseDefaultDocument = nullptr;
}

void PreferencesWindow::addPage(QWidget* page, const QString& title) { pages_->addTab(page, title); }

QWidget* PreferencesWindow::makeGeneralPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("At startup:"), page));
    startupMode_ = new QButtonGroup(this);
    for (int tag = 0; tag < startupModeTitles().size(); ++tag) {
        auto* button = new QRadioButton(startupModeTitles().at(tag), page);
        startupMode_->addButton(button, tag);
        layout->addWidget(button);
    }
    auto* documentRow = new QHBoxLayout;
    defaultDocument_ = new QLineEdit(page);
    selectDefaultDocument_ = new QPushButton(QStringLiteral("Choose..."), page);
    documentRow->addWidget(defaultDocument_, 1);
    documentRow->addWidget(selectDefaultDocument_);
    layout->addLayout(documentRow);

    auto* form = new QFormLayout;
    slipToDisplay_ = new QComboBox(page);
    slipToDisplay_->addItems(slipToDisplayChoices());
    form->addRow(QStringLiteral("Slip shown when a box opens:"), slipToDisplay_);
    autoSaveInterval_ = new QLineEdit(page);
    makeMinutesField(autoSaveInterval_);
    form->addRow(QStringLiteral("Autosave every (minutes):"), autoSaveInterval_);
    layout->addLayout(form);
    for (const QString& key : Preferences::checkBoxKeys()) {
        auto* box = new QCheckBox(checkBoxTitles().at(key), page);
        checks_[key] = box;
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { miscChanged(); });
    }
    layout->addStretch();

    connect(startupMode_, &QButtonGroup::idClicked, this, [this] { miscChanged(); });
    connect(defaultDocument_, &QLineEdit::editingFinished, this, [this] { miscChanged(); });
    connect(selectDefaultDocument_, &QPushButton::clicked, this, &PreferencesWindow::selectDefaultDocument);
    connect(autoSaveInterval_, &QLineEdit::editingFinished, this, [this] { miscChanged(); });
    connect(slipToDisplay_, &QComboBox::activated, this,
            [this](int index) { defaults_.setObject(SlipToDisplayKey, slipToDisplay_->itemText(index)); });
    return page;
}

QWidget* PreferencesWindow::makeFontPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto fontRow = [&](const QString& title, QLineEdit*& field, QPushButton*& button, const QString& key) {
        field = new QLineEdit(page);
        field->setReadOnly(true);
        button = new QPushButton(QStringLiteral("Select..."), page);
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(button);
        form->addRow(title, row);
        connect(button, &QPushButton::clicked, this, [this, key] { changeFont(key); });
    };
    fontRow(QStringLiteral("Slip text font:"), slipTextFont_, changeSlipTextFont_, Preferences::SlipTextFont);
    fontRow(QStringLiteral("Plain text font:"), plainTextFont_, changePlainTextFont_, Preferences::PlainTextFont);
    colourWell_ = new QPushButton(page);
    colourWell_->setObjectName(QStringLiteral("highlightColourWell"));
    colourWell_->setMinimumWidth(60);
    form->addRow(QStringLiteral("Highlight colour:"), colourWell_);
    connect(colourWell_, &QPushButton::clicked, this, &PreferencesWindow::pickColour);
    return page;
}

QWidget* PreferencesWindow::makeSpotlightPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    spotlightInterval_ = new QLineEdit(page);
    makeMinutesField(spotlightInterval_);
    form->addRow(QStringLiteral("Write cache files every (minutes):"), spotlightInterval_);
    deleteSpotlightFiles_ = new QPushButton(QStringLiteral("Delete Cache Files"), page);
    form->addRow(QString(), deleteSpotlightFiles_);
    connect(spotlightInterval_, &QLineEdit::editingFinished, this,
            [this] { miscChanged(Preferences::Sender::SpotlightIntervalField); });
    connect(deleteSpotlightFiles_, &QPushButton::clicked, this, [] { Preferences::deleteSpotlightFiles(); });
    return page;
}

QFont PreferencesWindow::toQFont(const FontAttribute& font) {
    QFont made(font.family.isEmpty() ? rtffont::familyFromPostScriptName(font.postScriptName) : font.family);
    made.setPointSizeF(font.pointSize > 0 && font.pointSize < 1000 ? font.pointSize : 12.0);
    made.setBold(font.bold);
    made.setItalic(font.italic);
    return made;
}

FontAttribute PreferencesWindow::fromQFont(const QFont& font) {
    FontAttribute made;
    made.family = font.family();
    made.bold = font.bold();
    made.italic = font.italic();
    // Faces are named as the rich text names them: family without spaces, traits as a suffix.
    made.postScriptName = rtffont::faceWithTraits(made.family.simplified().remove(QLatin1Char(' ')), made.bold, made.italic);
    made.pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
    return made;
}

void PreferencesWindow::showPreferences() {
    preferences_.discardDisplayedValues();
    updateUI();
    show();
    raise();
    activateWindow();
}

QCheckBox* PreferencesWindow::checkBox(const QString& key) const {
    const auto found = checks_.find(key);
    return found == checks_.end() ? nullptr : found->second;
}

Preferences::Controls PreferencesWindow::controls() const {
    Preferences::Controls c;
    c.startupMode = startupMode_->checkedId() < 0 ? 1 : startupMode_->checkedId();
    c.defaultDocumentField = defaultDocument_->text();
    for (const auto& [key, box] : checks_) c.checks[key] = box->isChecked();
    c.autoSaveIntervalField = autoSaveInterval_->text();
    c.spotlightIntervalField = spotlightInterval_->text();
    c.highlightColour = colourAttribute_;
    c.slipTextFontField = slipTextFont_->text();
    c.plainTextFontField = plainTextFont_->text();
    return c;
}

void PreferencesWindow::updateUI() { showControls(preferences_.updateUI()); }

void PreferencesWindow::showControls(const Preferences::Controls& c) {
    updating_ = true;
    if (QAbstractButton* mode = startupMode_->button(c.startupMode)) mode->setChecked(true);
    defaultDocument_->setText(c.defaultDocumentField);
    for (const auto& [key, box] : checks_) {
        const auto value = c.checks.find(key);
        box->setChecked(value != c.checks.end() && value->second);
    }
    autoSaveInterval_->setText(c.autoSaveIntervalField);
    spotlightInterval_->setText(c.spotlightIntervalField);
    colourAttribute_ = c.highlightColour;
    showColour(TextFormatMapping::toQColor(c.highlightColour));
    // Each font field shows its font in that font.
    auto showFont = [this](QLineEdit* field, const QString& text, const QString& key) {
        field->setText(text);
        field->setFont(text.isEmpty() ? QFont() : toQFont(preferences_.fontForKey(key)));
    };
    showFont(slipTextFont_, c.slipTextFontField, Preferences::SlipTextFont);
    showFont(plainTextFont_, c.plainTextFontField, Preferences::PlainTextFont);
    const QString first = defaults_.stringForKey(SlipToDisplayKey);
    const qsizetype choice = slipToDisplayChoices().indexOf(first);
    slipToDisplay_->setCurrentIndex(choice < 0 ? 0 : int(choice));
    updating_ = false;
}

void PreferencesWindow::showColour(const QColor& colour) {
    colour_ = colour;
    colourWell_->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name(QColor::HexArgb)));
}

void PreferencesWindow::miscChanged(Preferences::Sender sender) {
    if (updating_) return;
    showControls(preferences_.miscChanged(controls(), sender));
    // The timers take the new interval.
    if (sender == Preferences::Sender::SpotlightIntervalField) cacheTimers_.restartCacheTimers();
}

void PreferencesWindow::selectDefaultDocument() {
    Preferences::Controls c = controls();
    if (preferences_.selectDefaultDocument(c).isEmpty()) return;
    defaultDocument_->setText(c.defaultDocumentField);
    miscChanged();
}

void PreferencesWindow::changeFont(const QString& key) {
    if (!chooseFont) return;
    const QString title = key == Preferences::SlipTextFont ? QStringLiteral("Slip Text Font") : QStringLiteral("Plain Text Font");
    const std::optional<QFont> chosen = chooseFont(toQFont(preferences_.fontForKey(key)), title);
    if (!chosen) return;
    preferences_.changeFont(key, fromQFont(*chosen));
    updateUI();
}

void PreferencesWindow::pickColour() {
    if (!chooseColour) return;
    const std::optional<QColor> chosen = chooseColour(colour_);
    if (!chosen || !chosen->isValid()) return;
    colourAttribute_ = TextFormatMapping::fromQColor(*chosen);
    showColour(*chosen);
    miscChanged();
}

void PreferencesWindow::hideEvent(QHideEvent* event) {
    // Closed by the title bar or by Escape alike; minimising is no closing.
    if (!event->spontaneous()) preferences_.windowWillClose(controls());
    QDialog::hideEvent(event);
}

}  // namespace fendle
