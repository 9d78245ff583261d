import QtQuick

Rectangle {
    implicitHeight: 1
    color: colors.mid

    SystemPalette { id: colors }
}
