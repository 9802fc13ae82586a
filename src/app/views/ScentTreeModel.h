#pragma once
#include "app/views/DetailedRowDelegate.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <memory>
#include <vector>

namespace fendle {

// An item model over an endless scent tree (keyword or alternating). The
// entries make their children one level ahead, so rows are fetched only when
// a row is expanded; each fetch asks the entry for its children once and
// keeps them until the next reset.
template <typename Entry>
class ScentTreeModel : public QAbstractItemModel {
public:
    using EntryPtr = std::shared_ptr<Entry>;

    explicit ScentTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) { resetTo({}); }

    // The entry of a row; nullptr for the root or an invalid index.
    Entry* entryAt(const QModelIndex& index) const {
        const Node* node = nodeOf(index);
        return node ? node->entry.get() : nullptr;
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
        const Node* node = nodeOf(parent);
        if (!node || column != 0 || row < 0 || row >= static_cast<int>(node->children.size())) return {};
        return createIndex(row, column, node->children[static_cast<std::size_t>(row)].get());
    }
    QModelIndex parent(const QModelIndex& child) const override {
        const Node* node = nodeOf(child);
        if (!node || !node->parent || node->parent == root_.get()) return {};
        return createIndex(node->parent->row, 0, node->parent);
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        const Node* node = nodeOf(parent);
        return node && parent.column() <= 0 ? static_cast<int>(node->children.size()) : 0;
    }
    int columnCount(const QModelIndex& = {}) const override { return 1; }
    bool hasChildren(const QModelIndex& parent = {}) const override {
        const Node* node = nodeOf(parent);
        if (!node) return false;
        if (node->fetched) return !node->children.empty();
        return mayExpand(*node->entry);
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        const Node* node = nodeOf(parent);
        return node && !node->fetched && node->entry->numberOfScents() != 0;
    }
    void fetchMore(const QModelIndex& parent) override {
        Node* node = nodeOf(parent);
        if (!node || node->fetched) return;
        node->fetched = true;
        // Asking for the children makes each child's own children anew.
        const std::vector<EntryPtr>& children = node->entry->scents();
        if (children.empty()) return;
        beginInsertRows(parent, 0, static_cast<int>(children.size()) - 1);
        adopt(*node, children);
        endInsertRows();
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
        const Node* node = nodeOf(index);
        if (!node || !node->entry) return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return node->entry->relativePath();
        case Qt::DecorationRole: return iconOf(*node->entry);
        case DetailedRowDelegate::CountRole: {
            const int count = node->fetched ? static_cast<int>(node->children.size()) : childCount(*node->entry);
            return count > 0 ? QVariant(count) : QVariant();
        }
        default: return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

protected:
    // Whether an entry not yet opened has children. The view asks this of
    // every row it lays out, so models answer it without making them where
    // they can.
    virtual bool mayExpand(Entry& entry) const { return entry.numberOfScents() != 0; }
    // How many rows an entry not yet opened will show; rows show the number beside them.
    virtual int childCount(Entry& entry) const { return static_cast<int>(entry.numberOfScents()); }
    // What kind of row this is, as an icon.
    virtual QIcon iconOf(const Entry& entry) const = 0;

    void resetTo(const std::vector<EntryPtr>& topLevel) {
        beginResetModel();
        root_ = std::make_unique<Node>();
        root_->fetched = true;
        adopt(*root_, topLevel);
        endResetModel();
    }

private:
    struct Node {
        EntryPtr entry;
        Node* parent = nullptr;
        int row = 0;
        bool fetched = false;
        std::vector<std::unique_ptr<Node>> children;
    };
    std::unique_ptr<Node> root_;

    Node* nodeOf(const QModelIndex& index) const {
        if (!index.isValid()) return root_.get();
        if (index.model() != this) return nullptr;
        return static_cast<Node*>(index.internalPointer());
    }
    static void adopt(Node& node, const std::vector<EntryPtr>& entries) {
        node.children.reserve(entries.size());
        for (const EntryPtr& entry : entries) {
            auto child = std::make_unique<Node>();
            child->entry = entry;
            child->parent = &node;
            child->row = static_cast<int>(node.children.size());
            node.children.push_back(std::move(child));
        }
    }
};

}  // namespace fendle
