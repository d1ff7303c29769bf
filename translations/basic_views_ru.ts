<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="ru">
<context>
    <name>ReadingHold</name>
    <message numerus="yes">
        <source>%Ln изменений</source>
        <translation>
            <numerusform>%Ln изменение</numerusform>
            <numerusform>%Ln изменения</numerusform>
            <numerusform>%Ln изменений</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TerminalWindow</name>
    <message numerus="yes">
        <source>%Ln изменений</source>
        <translation>
            <numerusform>%Ln изменение</numerusform>
            <numerusform>%Ln изменения</numerusform>
            <numerusform>%Ln изменений</numerusform>
        </translation>
    </message>
</context>
</TS>
