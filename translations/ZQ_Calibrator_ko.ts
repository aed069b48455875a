<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CalibrateApply</name>
    <message>
        <source>AdjustValues</source>
        <translation>값 조정</translation>
    </message>
    <message>
        <source>Please apply CRM</source>
        <translation>기준물질(CRM)</translation>
    </message>
    <message>
        <source>on input.</source>
        <translation>을(를) 입력에 인가하십시오.</translation>
    </message>
    <message>
        <source>Actual Reading Value : </source>
        <translation>실제 측정값 : </translation>
    </message>
    <message>
        <source>Error(Difference) : </source>
        <translation>오차(차이) : </translation>
    </message>
    <message>
        <source>  READ  </source>
        <translation>  읽기  </translation>
    </message>
    <message>
        <source>Current +/- Correction Value in Device : </source>
        <translation>장치의 현재 +/- 보정값 : </translation>
    </message>
    <message>
        <source>*CRM : Certified Reference Material</source>
        <translation>*CRM : 인증 표준 물질</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>적용</translation>
    </message>
</context>
<context>
    <name>CalibrateScaler</name>
    <message>
        <source>Scaler</source>
        <translation>스케일러</translation>
    </message>
    <message>
        <source>Please enter the scale value</source>
        <translation>스케일 값을 입력하십시오</translation>
    </message>
    <message>
        <source>4mA</source>
        <translation>4mA</translation>
    </message>
    <message>
        <source> means the value : </source>
        <translation> 에 해당하는 값 : </translation>
    </message>
    <message>
        <source>--&gt;</source>
        <translation>--&gt;</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>20mA</source>
        <translation>20mA</translation>
    </message>
    <message>
        <source>means the value : </source>
        <translation>에 해당하는 값 : </translation>
    </message>
    <message>
        <source>The output value multiplied by</source>
        <translation>출력값에 곱할 배수</translation>
    </message>
    <message>
        <source>.  </source>
        <translation>.  </translation>
    </message>
</context>
<context>
    <name>CalibrateSlop</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>please enter the calibration parameters you know.
if you have no information, please close this window.</source>
        <translation>알고 있는 교정 파라미터를 입력하십시오.
정보가 없으면 이 창을 닫으십시오.</translation>
    </message>
    <message>
        <source>zero</source>
        <translation>제로</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>uV</translation>
    </message>
    <message>
        <source>sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>nA/ppm</source>
        <translation>nA/ppm</translation>
    </message>
</context>
<context>
    <name>CalibrateSpan</name>
    <message>
        <source>Mannual Span Values</source>
        <translation>수동 스팬 값</translation>
    </message>
    <message>
        <source>please enter the calibration parameters you know.
if you have no information, please close this window.</source>
        <translation>알고 있는 교정 파라미터를 입력하십시오.
정보가 없으면 이 창을 닫으십시오.</translation>
    </message>
    <message>
        <source>zero</source>
        <translation>제로</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>uV</translation>
    </message>
    <message>
        <source>span</source>
        <translation>스팬</translation>
    </message>
    <message>
        <source>Calibration gas ppm</source>
        <translation>교정 가스 ppm</translation>
    </message>
</context>
<context>
    <name>CalibrateTempRange</name>
    <message>
        <source>AdjustTempRange</source>
        <translation>측정 범위 조정</translation>
    </message>
    <message>
        <source>Enter the sensor range to measure</source>
        <translation>측정할 센서 범위를 입력하십시오</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>Once you begin this process,
the previous correction values will be removed</source>
        <translation>이 과정을 시작하면
이전 보정값이 삭제됩니다</translation>
    </message>
</context>
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
    <name>PasswordDlg</name>
    <message>
        <source>ZQ Calibrator Passwod</source>
        <translation>ZQ 교정기 비밀번호</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>비밀번호 입력</translation>
    </message>
    <message>
        <source>password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>취소</translation>
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
