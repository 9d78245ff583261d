<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Sorvu developers -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- English's singular and plural forms of the texts with a count; every other English text is its own key. -->
<TS version="2.1" language="en_US" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message numerus="yes">
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>
            <numerusform>Sorvu, recording, %lld item in queue</numerusform>
            <numerusform>Sorvu, recording, %lld items in queue</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>
            <numerusform>Sorvu, %lld item queued, not recording</numerusform>
            <numerusform>Sorvu, %lld items queued, not recording</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%lld items in queue</source>
        <translation>
            <numerusform>%lld item in queue</numerusform>
            <numerusform>%lld items in queue</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%lld characters</source>
        <translation>
            <numerusform>%lld character</numerusform>
            <numerusform>%lld characters</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%lld items are not text: %@.</source>
        <translation>
            <numerusform>%lld item is not text: %@.</numerusform>
            <numerusform>%lld items are not text: %@.</numerusform>
        </translation>
    </message>
</context>
</TS>
