<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu">
<context>
    <name>MainWindow</name>
    <message>
        <source>Ravelbox</source>
        <translation>Ravelbox</translation>
    </message>
    <message>
        <source>打开窗口</source>
        <translation>Ablak megnyitása</translation>
    </message>
    <message>
        <source>KEY:</source>
        <translation>Kód:</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>FAIL:</translation>
    </message>
    <message>
        <source>最终地址：0x</source>
        <translation>Válasz: 0x</translation>
    </message>
    <message>
        <source>输入 SUCCESS 窗口的十六进制地址，然后按回车键</source>
        <translation>Írja be a SUCCESS ablak címét hexadecimálisan, majd nyomja meg az Entert</translation>
    </message>
    <message>
        <source>打开所输入地址处的窗口：地址正确显示 SUCCESS，否则显示 FAIL</source>
        <translation>Megnyitja a beírt címen lévő ablakot: SUCCESS, ha helyes, különben FAIL</translation>
    </message>
</context>
<context>
    <name>QDialog1</name>
    <message>
        <source>FAIL</source>
        <translation>Sikertelen</translation>
    </message>
</context>
<context>
    <name>QDialog2</name>
    <message>
        <source>SUCCESS</source>
        <translation>Siker</translation>
    </message>
</context>
</TS>
