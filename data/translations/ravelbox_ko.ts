<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>MainWindow</name>
    <message>
        <source>Ravelbox</source>
        <translation>Ravelbox</translation>
    </message>
    <message>
        <source>打开窗口</source>
        <translation>창 열기</translation>
    </message>
    <message>
        <source>KEY:</source>
        <translation>키:</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>FAIL:</translation>
    </message>
    <message>
        <source>最终地址：0x</source>
        <translation>정답: 0x</translation>
    </message>
    <message>
        <source>输入 SUCCESS 窗口的十六进制地址，然后按回车键</source>
        <translation>SUCCESS 창의 주소를 16진수로 입력하고 Enter 키를 누르세요</translation>
    </message>
    <message>
        <source>打开所输入地址处的窗口：地址正确显示 SUCCESS，否则显示 FAIL</source>
        <translation>입력한 주소의 창을 엽니다. 맞으면 SUCCESS, 틀리면 FAIL</translation>
    </message>
</context>
<context>
    <name>QDialog1</name>
    <message>
        <source>FAIL</source>
        <translation>실패</translation>
    </message>
</context>
<context>
    <name>QDialog2</name>
    <message>
        <source>SUCCESS</source>
        <translation>성공</translation>
    </message>
</context>
</TS>
