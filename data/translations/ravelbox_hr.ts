<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hr">
<context>
    <name>MainWindow</name>
    <message>
        <source>Ravelbox</source>
        <translation>Ravelbox</translation>
    </message>
    <message>
        <source>打开窗口</source>
        <translation>Otvori prozor</translation>
    </message>
    <message>
        <source>KEY:</source>
        <translation>Kod:</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>FAIL:</translation>
    </message>
    <message>
        <source>最终地址：0x</source>
        <translation>Odgovor: 0x</translation>
    </message>
    <message>
        <source>输入 SUCCESS 窗口的十六进制地址，然后按回车键</source>
        <translation>Upišite adresu prozora SUCCESS heksadecimalno i pritisnite Enter</translation>
    </message>
    <message>
        <source>打开所输入地址处的窗口：地址正确显示 SUCCESS，否则显示 FAIL</source>
        <translation>Otvara prozor na upisanoj adresi: SUCCESS ako je točna, inače FAIL</translation>
    </message>
</context>
<context>
    <name>QDialog1</name>
    <message>
        <source>FAIL</source>
        <translation>Neuspjeh</translation>
    </message>
</context>
<context>
    <name>QDialog2</name>
    <message>
        <source>SUCCESS</source>
        <translation>Uspjeh</translation>
    </message>
</context>
</TS>
