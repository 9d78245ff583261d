import QtQuick

// The settings screen; its controls come with the settings.
Item {
    implicitHeight: 40
}
