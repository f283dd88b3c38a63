// Records what the program tells assistive technology, as a screen reader connected to it hears.
#pragma once

#include <QAccessible>
#include <QObject>
#include <algorithm>
#include <utility>
#include <vector>

// Qt tells assistive technology nothing until a reader is present, and the offscreen platform
// never has one. These declare the toolkit's own switch (its private interface, stable through
// Qt 6) so that a test can stand in for the reader.
class QPlatformAccessibility {
public:
    void setActive(bool active);
};
class QPlatformIntegration {
public:
    QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate {
public:
    static QPlatformIntegration* platform_integration;
};

// While it lives, every accessibility event of the program is recorded instead of sent.
class TAccessibleEvents {
public:
    TAccessibleEvents() {
        Current = this;
        Switch(true);
        Previous = QAccessible::installUpdateHandler(&Record);
    }
    ~TAccessibleEvents() {
        QAccessible::installUpdateHandler(Previous);
        Switch(false);
        Current = nullptr;
    }

    // How many events of this type were told about this object.
    int Count(const QObject* object, QAccessible::Event type) const {
        return static_cast<int>(std::count(Events.begin(), Events.end(), std::pair(object, type)));
    }
    // How many events of any type were told about this object.
    int Count(const QObject* object) const {
        return static_cast<int>(std::count_if(
            Events.begin(), Events.end(), [object](const auto& e) { return e.first == object; }));
    }

    std::vector<std::pair<const QObject*, QAccessible::Event>> Events;

private:
    static inline TAccessibleEvents* Current = nullptr;
    static void Record(QAccessibleEvent* event) {
        Current->Events.emplace_back(event->object(), event->type());
    }
    static void Switch(bool on) {
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(on);
    }

    QAccessible::UpdateHandler Previous = nullptr;
};
