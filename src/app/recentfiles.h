#pragma once

#include <QString>

#include <array>

class QAction;

namespace kinetra {

class SettingsStore;

/// The File menu's recent-file items and the list behind them in the settings: newest first,
/// at most four stored, a listed play keeping its place when it is opened again.
class RecentFiles
{
public:
    static constexpr int kItems = 5;

    /// Manages `items` (hidden until a path fills them) from the store's Files section.
    RecentFiles(SettingsStore &store, const std::array<QAction *, kItems> &items);

    /// Rebuilds the items from the store. Items beyond the stored paths keep their state.
    void load();
    /// Adds path unless an item already shows it; rebuilds the items.
    void add(const QString &path);
    /// Whether one of the visible items shows exactly path.
    bool contains(const QString &path) const;
    /// The path item index shows, empty when the item is not filled.
    QString path(int index) const;
    /// The paths the visible items show, in menu order.
    QStringList shown() const;
    QAction *item(int index) const { return m_items[size_t(index)]; }

private:
    /// Pushes path onto the stored list as RecentFile1.
    void store(const QString &path);

    SettingsStore &m_store;
    std::array<QAction *, kItems> m_items;
};

} // namespace kinetra
