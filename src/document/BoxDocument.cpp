#include "document/BoxDocument.h"

#include "scents/AlternatingScent.h"
#include "scents/KeywordScent.h"

#include <QFileInfo>
#include <QUrl>
#include <QUuid>
#include <algorithm>

namespace fendle {

BoxDocument::BoxDocument()
    : unsavedBoxUrlString_(QStringLiteral("unsaved:") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}
BoxDocument::~BoxDocument() = default;

void BoxDocument::slipsDidChange() {
    setKeywordScentsMustBeUpdated();
    markEdited();
    emit slipsChanged();
}

SlipPtr BoxDocument::createSlip() {
    SlipPtr slip = data_.createSlip();
    slipsDidChange();
    return slip;
}

SlipPtr BoxDocument::createSlipWithTemplate() {
    SlipPtr slip = data_.createSlipWithTemplate();
    slipsDidChange();
    return slip;
}

void BoxDocument::addSlip(const SlipPtr& slip) {
    data_.addSlip(slip);
    if (const auto type = slip->slipType(); type && !type->isEmpty()) addSlipType(*type);
    slipsDidChange();
}

void BoxDocument::setSlip(const SlipPtr& slip) {
    data_.setSlip(slip);
    slipsDidChange();
}

void BoxDocument::fileSlips(const QList<SlipPtr>& slips) {
    if (slips.isEmpty()) return;
    for (const SlipPtr& slip : slips) {
        data_.setSlip(slip);
        if (const auto type = slip->slipType(); type && !type->isEmpty()) addSlipType(*type);
    }
    slipsDidChange();
}

void BoxDocument::deleteSlipForKey(const QString& key) {
    data_.deleteSlipForKey(key);
    slipsDidChange();
}

void BoxDocument::putSlipInTrash(const SlipPtr& slip) {
    data_.putSlipInTrash(slip);
    slipsDidChange();
}

void BoxDocument::restoreSlipFromTrash(const SlipPtr& slip) {
    data_.restoreSlipFromTrash(slip);
    slipsDidChange();
}

void BoxDocument::emptyTrash() {
    data_.emptyTrash();
    slipsDidChange();
}

void BoxDocument::setTrashMode(bool inTrash) {
    if (inTrash == data_.inTrashMode()) return;
    if (inTrash)
        data_.enterTrashMode();
    else
        data_.leaveTrashMode();
    // Browsing the trash changes no slip: the document stays as edited as it was.
    setKeywordScentsMustBeUpdated();
    emit trashModeChanged(inTrash);
    emit slipsChanged();
}

void BoxDocument::setSlips(const SlipDictionary& slips, const SlipDictionary& deletedSlips) {
    data_.setSlips(slips, deletedSlips);
    collectSlipTypes();
    setKeywordScentsMustBeUpdated();
    emit slipsChanged();
}

unsigned BoxDocument::replaceAllOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword) {
    const unsigned replaced = data_.replaceAllOccurrencesOfKeyword(oldKeyword, newKeyword);
    if (replaced > 0) {
        setKeywordScentsMustBeUpdated();
        markEdited();
        emit slipsChanged();
    }
    return replaced;
}

void BoxDocument::slipDidChange(const SlipPtr& slip, Change change) {
    if (change == Change::Keywords) setKeywordScentsMustBeUpdated();
    if (const auto type = slip ? slip->slipType() : std::nullopt; type && !type->isEmpty()) addSlipType(*type);
    markEdited();
    emit slipChanged(slip);
}

void BoxDocument::setSlipTemplate(const std::optional<RichText>& text, const std::optional<QList<TextRange>>& selection) {
    data_.setSlipTemplate(text);
    data_.setSelectedRangesInTemplate(selection);
    markEdited();
}

void BoxDocument::setSavedSearches(const QVariantList& searches) {
    data_.setSavedSearches(searches);
    markEdited();
}

void BoxDocument::setCurrentZoomFactor(qint32 zoom) { data_.setCurrentZoomFactor(zoom); }

void BoxDocument::addSlipType(const QString& type) {
    if (type.isEmpty() || slipTypes_.contains(type)) return;
    slipTypes_.append(type);
    std::sort(slipTypes_.begin(), slipTypes_.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

void BoxDocument::collectSlipTypes() {
    for (const SlipPtr& slip : data_.slips())
        if (const auto type = slip->slipType()) addSlipType(*type);
}

void BoxDocument::setKeywordScentsMustBeUpdated() {
    const bool wasCurrent = !keywordScentsMustBeUpdated_;
    keywordScentsMustBeUpdated_ = true;
    if (wasCurrent) emit keywordsChanged();
}

void BoxDocument::setShowDuplicatesInScentPath(bool show) {
    if (show == showDuplicatesInScentPath_) return;
    showDuplicatesInScentPath_ = show;
    setKeywordScentsMustBeUpdated();
}

bool BoxDocument::updateKeywordScents() {
    if (!keywordScentsMustBeUpdated()) return false;
    const QHash<QString, QString> keywords = data_.keywordsDictionary();
    keywordScent_ = std::make_shared<KeywordScent>(keywords, showDuplicatesInScentPath_);
    alternatingScent_ = std::make_shared<AlternatingScent>(keywords, data_);
    keywordScentsMustBeUpdated_ = false;
    emit keywordScentsRebuilt();
    return true;
}

std::shared_ptr<KeywordScent> BoxDocument::keywordScents() {
    updateKeywordScents();
    return keywordScent_;
}

void BoxDocument::setFileName(const std::optional<QString>& path) {
    fileName_ = path;
    displayName_ = path ? QFileInfo(*path).fileName() : QStringLiteral("Untitled");
    emit fileNameChanged();
}

QString BoxDocument::boxUrlString() const {
    return fileName_ ? QUrl::fromLocalFile(*fileName_).toString() : unsavedBoxUrlString_;
}

QStringList BoxDocument::ownBoxUrlStrings() const {
    QStringList names{boxUrlString()};
    if (fileName_) names.append(unsavedBoxUrlString_);
    return names;
}

void BoxDocument::markEdited() {
    if (edited_) return;
    edited_ = true;
    emit editedChanged(true);
}

void BoxDocument::clearEdited() {
    if (!edited_) return;
    edited_ = false;
    emit editedChanged(false);
}

Status BoxDocument::readFromURL(const QString& path) {
    BoxData read;
    const Result<BoxFile::Form> form = BoxFile::readFromURL(read, path);
    if (!form) return Status::failure(form.error());
    fileFormatOnLastOpening_ = *form == BoxFile::Form::Sequential ? OldDocumentType : DocumentType;
    data_ = std::move(read);
    slipTypes_.clear();
    collectSlipTypes();
    setKeywordScentsMustBeUpdated();
    clearEdited();
    emit slipsChanged();
    return succeeded();
}

Status BoxDocument::writeToURL(const QString& path, const QString& typeName, SaveKind kind, bool keepBackup) {
    const bool current = typeName == DocumentType || typeName == DocumentTypeQuorvel || typeName == DocumentTypeHalvorn;
    if (!current && typeName != OldDocumentType)
        return Status::failure(QStringLiteral("I don't know how to save to format: ") + typeName);
    const Status written = BoxFile::writeToURL(data_, path, current ? BoxFile::Form::Keyed : BoxFile::Form::Sequential,
                                               keepBackup);
    if (!written) return written;
    if (kind != SaveKind::SaveTo) clearEdited();
    return written;
}

}  // namespace fendle
