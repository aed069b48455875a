<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>LogWindow</name>
    <message>
        <source>ZQ Calibrator Log Window</source>
        <translation>ZQ 교정기 로그 창</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>로그</translation>
    </message>
    <message>
        <source>save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>passwod</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>show</source>
        <translation>보기</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZQ Calibrator</source>
        <translation>ZQ 교정기</translation>
    </message>
    <message>
        <source>File</source>
        <translation>파일</translation>
    </message>
    <message>
        <source>Command Delay</source>
        <translation>명령 지연</translation>
    </message>
    <message>
        <source>ZQ Device</source>
        <translation>ZQ 장치</translation>
    </message>
    <message>
        <source>Log Window</source>
        <translation>로그 창</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>50ms</source>
        <translation>50ms</translation>
    </message>
    <message>
        <source>100ms</source>
        <translation>100ms</translation>
    </message>
    <message>
        <source>300ms</source>
        <translation>300ms</translation>
    </message>
    <message>
        <source>500ms</source>
        <translation>500ms</translation>
    </message>
    <message>
        <source>Close ZQ Device</source>
        <translation>ZQ 장치 닫기</translation>
    </message>
    <message>
        <source>Reset ZQ Device</source>
        <translation>ZQ 장치 리셋</translation>
    </message>
    <message>
        <source>Auto Start the first device</source>
        <translation>첫 번째 장치 자동 시작</translation>
    </message>
    <message>
        <source>1s</source>
        <translation>1초</translation>
    </message>
    <message>
        <source>2s</source>
        <translation>2초</translation>
    </message>
    <message>
        <source>10s</source>
        <translation>10초</translation>
    </message>
    <message>
        <source>200ms</source>
        <translation>200ms</translation>
    </message>
    <message>
        <source>400ms</source>
        <translation>400ms</translation>
    </message>
    <message>
        <source>1sec</source>
        <translation>1초</translation>
    </message>
    <message>
        <source>the ZQ Series Devices were found.</source>
        <translation>ZQ 시리즈 장치를 찾았습니다.</translation>
    </message>
    <message>
        <source>Open device Error!</source>
        <translation>장치 열기 오류!</translation>
    </message>
    <message>
        <source>Can&apos;t opened the serial port:[</source>
        <translation>시리얼 포트를 열 수 없습니다:[</translation>
    </message>
    <message>
        <source>],serial no:[</source>
        <translation>],시리얼 번호:[</translation>
    </message>
    <message>
        <source>error! This device is not supported...</source>
        <translation>오류! 지원하지 않는 장치입니다...</translation>
    </message>
    <message>
        <source>error! This device is not supported.</source>
        <translation>오류! 지원하지 않는 장치입니다.</translation>
    </message>
    <message>
        <source>Timer Stop.</source>
        <translation>타이머 정지.</translation>
    </message>
</context>
<context>
    <name>SelectDevice</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>ZQ Devices</source>
        <translation>ZQ 장치 목록</translation>
    </message>
</context>
</TS>
