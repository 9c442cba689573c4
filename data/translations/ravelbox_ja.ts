<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>MainWindow</name>
    <message>
        <source>Ravelbox</source>
        <translation>Ravelbox</translation>
    </message>
    <message>
        <source>打开窗口</source>
        <translation>ウィンドウを開く</translation>
    </message>
    <message>
        <source>KEY:</source>
        <translation>鍵：</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>FAIL:</translation>
    </message>
    <message>
        <source>最终地址：0x</source>
        <translation>答え：0x</translation>
    </message>
    <message>
        <source>输入 SUCCESS 窗口的十六进制地址，然后按回车键</source>
        <translation>SUCCESS ウィンドウのアドレスを 16 進数で入力し、Enter キーを押してください</translation>
    </message>
    <message>
        <source>打开所输入地址处的窗口：地址正确显示 SUCCESS，否则显示 FAIL</source>
        <translation>入力したアドレスのウィンドウを開きます。正しければ SUCCESS、違えば FAIL</translation>
    </message>
</context>
<context>
    <name>QDialog1</name>
    <message>
        <source>FAIL</source>
        <translation>失敗</translation>
    </message>
</context>
<context>
    <name>QDialog2</name>
    <message>
        <source>SUCCESS</source>
        <translation>成功</translation>
    </message>
</context>
</TS>
