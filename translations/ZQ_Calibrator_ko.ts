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
    <name>CalibratorPanel</name>
    <message>
        <source>get the device&apos;s information...</source>
        <translation>장치 정보를 읽는 중...</translation>
    </message>
    <message>
        <source>success! refresh calibration settings.</source>
        <translation>성공! 교정 설정을 새로 읽었습니다.</translation>
    </message>
    <message>
        <source>error! refresh calibration settings.</source>
        <translation>오류! 교정 설정을 새로 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>error! refresh calibration settings...</source>
        <translation>오류! 교정 설정을 새로 읽지 못했습니다...</translation>
    </message>
    <message>
        <source>success! apply calibration settings.</source>
        <translation>성공! 교정 설정을 적용했습니다.</translation>
    </message>
    <message>
        <source>error! apply calibration settings.</source>
        <translation>오류! 교정 설정을 적용하지 못했습니다.</translation>
    </message>
    <message>
        <source>error! apply calibration settings...</source>
        <translation>오류! 교정 설정을 적용하지 못했습니다...</translation>
    </message>
    <message>
        <source>error! write command.</source>
        <translation>오류! 명령을 보내지 못했습니다.</translation>
    </message>
    <message>
        <source>error! write command...</source>
        <translation>오류! 명령을 보내지 못했습니다...</translation>
    </message>
    <message>
        <source>success! apply sensor output mode settings.</source>
        <translation>성공! 센서 출력 모드 설정을 적용했습니다.</translation>
    </message>
    <message>
        <source>error! apply sensor output mode settings.</source>
        <translation>오류! 센서 출력 모드 설정을 적용하지 못했습니다.</translation>
    </message>
    <message>
        <source>error! apply sensor output mode settings...</source>
        <translation>오류! 센서 출력 모드 설정을 적용하지 못했습니다...</translation>
    </message>
    <message>
        <source>change the device&apos;s temperature mode to the celsius mode...</source>
        <translation>장치의 온도 모드를 섭씨로 바꾸는 중...</translation>
    </message>
    <message>
        <source>change the device&apos;s temperature mode to the fahrenheit mode...</source>
        <translation>장치의 온도 모드를 화씨로 바꾸는 중...</translation>
    </message>
    <message>
        <source>success! apply the device&apos;s temperature mode to the celsius mode.</source>
        <translation>성공! 장치의 온도 모드를 섭씨로 바꿨습니다.</translation>
    </message>
    <message>
        <source>success! apply the device&apos;s temperature mode to the fahrenheit mode.</source>
        <translation>성공! 장치의 온도 모드를 화씨로 바꿨습니다.</translation>
    </message>
    <message>
        <source>error! apply the device&apos;s temperature mode to the celsius mode.</source>
        <translation>오류! 장치의 온도 모드를 바꾸지 못했습니다(섭씨 유지).</translation>
    </message>
    <message>
        <source>error! apply the device&apos;s temperature mode to the fahrenheit mode.</source>
        <translation>오류! 장치의 온도 모드를 바꾸지 못했습니다(화씨 유지).</translation>
    </message>
    <message>
        <source>error! apply the device&apos;s temperature mode to the celsius mode...</source>
        <translation>오류! 장치의 온도 모드를 바꾸지 못했습니다(섭씨 유지)...</translation>
    </message>
    <message>
        <source>error! apply the device&apos;s temperature mode to the fahrenheit mode...</source>
        <translation>오류! 장치의 온도 모드를 바꾸지 못했습니다(화씨 유지)...</translation>
    </message>
    <message>
        <source>Do you want to change the update time?</source>
        <translation>교정 시간을 지금으로 바꾸시겠습니까?</translation>
    </message>
    <message>
        <source>The password is wrong.</source>
        <translation>비밀번호가 틀렸습니다.</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>공장 초기화</translation>
    </message>
    <message>
        <source>Your work will be erased. Would you like to continue?</source>
        <translation>작업 내용이 지워집니다. 계속하시겠습니까?</translation>
    </message>
    <message>
        <source>the Factory Reset is completed.</source>
        <translation>공장 초기화가 완료되었습니다.</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Please specify the sensor type.</source>
        <translation>센서 종류를 지정하십시오.</translation>
    </message>
    <message>
        <source>Do you want to calibrate the &quot;Channel </source>
        <translation>교정하시겠습니까? "채널 </translation>
    </message>
    <message>
        <source>Do you want to scale the &quot;Channel </source>
        <translation>스케일을 조정하시겠습니까? "채널 </translation>
    </message>
    <message>
        <source>CHANNEL </source>
        <translation>채널 </translation>
    </message>
    <message>
        <source>Do you want to change the parameters?</source>
        <translation>파라미터를 변경하시겠습니까?</translation>
    </message>
    <message>
        <source>Calibration parameters</source>
        <translation>교정 파라미터</translation>
    </message>
    <message>
        <source>change the sensor type to the Mode </source>
        <translation>센서 타입을 다음 모드로 변경합니다: </translation>
    </message>
    <message>
        <source>change the sensor to temperature compensation mode </source>
        <translation>센서를 온도 보상 모드로 변경합니다 </translation>
    </message>
    <message>
        <source>Last Calibration Time</source>
        <translation>마지막 교정 시간</translation>
    </message>
    <message>
        <source>change the sensor unit to </source>
        <translation>센서 단위를 다음으로 변경 중: </translation>
    </message>
</context>
<context>
    <name>KwCalibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last Calibrate DateTime</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Temperature Output Mode</source>
        <translation>온도 출력 모드</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>RS485 - MODBUS</source>
        <translation>RS485 - MODBUS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>공장 초기화</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>초기화</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>MODBUS Mode</source>
        <translation>MODBUS 모드</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>슬레이브</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>마스터</translation>
    </message>
    <message>
        <source>MODBUS BaudRate</source>
        <translation>MODBUS 통신 속도</translation>
    </message>
    <message>
        <source>MODBUS Timeout</source>
        <translation>MODBUS 타임아웃</translation>
    </message>
    <message>
        <source>32bit Float ByteSwap</source>
        <translation>32비트 실수 바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS ByteSwap</source>
        <translation>MODBUS 바이트 스왑</translation>
    </message>
    <message>
        <source>ByteSwap</source>
        <translation>바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS Slave ID</source>
        <translation>MODBUS 슬레이브 ID</translation>
    </message>
    <message>
        <source>Threshold Channel</source>
        <translation>임계 채널</translation>
    </message>
    <message>
        <source>Threshold Value</source>
        <translation>임계값</translation>
    </message>
    <message>
        <source>Holding Times</source>
        <translation>유지 시간</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 분</translation>
    </message>
    <message>
        <source>Relay Slave ID</source>
        <translation>릴레이 슬레이브 ID</translation>
    </message>
    <message>
        <source>0x0</source>
        <translation>0x0</translation>
    </message>
    <message>
        <source>Relay NO</source>
        <translation>릴레이 번호</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>센서 타입</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Sensing Range (Min/Max)</source>
        <translation>감지 범위 (최소/최대)</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>Error Correction (Zero/Span)</source>
        <translation>오차 보정 (영점/스팬)</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>채널 3</translation>
    </message>
    <message>
        <source>Channel 4</source>
        <translation>채널 4</translation>
    </message>
    <message>
        <source>Last Calibration Time</source>
        <translation>마지막 교정 시간</translation>
    </message>
    <message>
        <source>factory reset failed...!</source>
        <translation>공장 초기화에 실패했습니다...!</translation>
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
    <name>LxCalibrator</name>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last Calibrate DateTime</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>RS485 - MODBUS</source>
        <translation>RS485 - MODBUS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>공장 초기화</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>초기화</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>MODBUS Mode</source>
        <translation>MODBUS 모드</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>슬레이브</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>마스터</translation>
    </message>
    <message>
        <source>MODBUS BaudRate</source>
        <translation>MODBUS 통신 속도</translation>
    </message>
    <message>
        <source>MODBUS Timeout</source>
        <translation>MODBUS 타임아웃</translation>
    </message>
    <message>
        <source>32bit Float ByteSwap</source>
        <translation>32비트 실수 바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS ByteSwap</source>
        <translation>MODBUS 바이트 스왑</translation>
    </message>
    <message>
        <source>ByteSwap</source>
        <translation>바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS Slave ID</source>
        <translation>MODBUS 슬레이브 ID</translation>
    </message>
    <message>
        <source>Threshold Channel</source>
        <translation>임계 채널</translation>
    </message>
    <message>
        <source>Threshold Value</source>
        <translation>임계값</translation>
    </message>
    <message>
        <source>Holding Times</source>
        <translation>유지 시간</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 분</translation>
    </message>
    <message>
        <source>Relay Slave ID</source>
        <translation>릴레이 슬레이브 ID</translation>
    </message>
    <message>
        <source>0x0</source>
        <translation>0x0</translation>
    </message>
    <message>
        <source>Relay NO</source>
        <translation>릴레이 번호</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>센서 타입</translation>
    </message>
    <message>
        <source>SCALE</source>
        <translation>스케일</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Sensing Range (Min/Max)</source>
        <translation>감지 범위 (최소/최대)</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>Error Correction (Zero/Span)</source>
        <translation>오차 보정 (영점/스팬)</translation>
    </message>
    <message>
        <source>Scaled Value (Min/Max)</source>
        <translation>스케일 값 (최소/최대)</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>배율</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>채널 3</translation>
    </message>
    <message>
        <source>Channel 4</source>
        <translation>채널 4</translation>
    </message>
    <message>
        <source>Last Calibration Time</source>
        <translation>마지막 교정 시간</translation>
    </message>
    <message>
        <source>factory reset failed...!</source>
        <translation>공장 초기화에 실패했습니다...!</translation>
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
    <name>NbCalibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>RS485 - MODBUS</source>
        <translation>RS485 - MODBUS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>공장 초기화</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>초기화</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>MODBUS Mode</source>
        <translation>MODBUS 모드</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>슬레이브</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>마스터</translation>
    </message>
    <message>
        <source>MODBUS BaudRate</source>
        <translation>MODBUS 통신 속도</translation>
    </message>
    <message>
        <source>MODBUS Timeout</source>
        <translation>MODBUS 타임아웃</translation>
    </message>
    <message>
        <source>32bit Float ByteSwap</source>
        <translation>32비트 실수 바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS ByteSwap</source>
        <translation>MODBUS 바이트 스왑</translation>
    </message>
    <message>
        <source>ByteSwap</source>
        <translation>바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS Slave ID</source>
        <translation>MODBUS 슬레이브 ID</translation>
    </message>
    <message>
        <source>Threshold Channel</source>
        <translation>임계 채널</translation>
    </message>
    <message>
        <source>Threshold Value</source>
        <translation>임계값</translation>
    </message>
    <message>
        <source>Holding Times</source>
        <translation>유지 시간</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 분</translation>
    </message>
    <message>
        <source>Relay Slave ID</source>
        <translation>릴레이 슬레이브 ID</translation>
    </message>
    <message>
        <source>0x0</source>
        <translation>0x0</translation>
    </message>
    <message>
        <source>Relay NO</source>
        <translation>릴레이 번호</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>센서 타입</translation>
    </message>
    <message>
        <source>ppm offset</source>
        <translation>ppm 오프셋</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>uV</translation>
    </message>
    <message>
        <source>PPM Window</source>
        <translation>PPM 윈도우</translation>
    </message>
    <message>
        <source>Zero calibration</source>
        <translation>영점 교정</translation>
    </message>
    <message>
        <source> uV</source>
        <translation> uV</translation>
    </message>
    <message>
        <source>Span calibration</source>
        <translation>스팬 교정</translation>
    </message>
    <message>
        <source> ppm</source>
        <translation> ppm</translation>
    </message>
    <message>
        <source>sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source> ppm/uV</source>
        <translation> ppm/uV</translation>
    </message>
    <message>
        <source>@</source>
        <translation>@</translation>
    </message>
    <message>
        <source>Change parameters</source>
        <translation>파라미터 변경</translation>
    </message>
    <message>
        <source>Sensor name</source>
        <translation>센서 이름</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>Digital filter</source>
        <translation>디지털 필터</translation>
    </message>
    <message>
        <source>Temp. Compensate</source>
        <translation>온도 보상</translation>
    </message>
    <message>
        <source>Zero drift adjustment</source>
        <translation>영점 드리프트 조정</translation>
    </message>
    <message>
        <source> mV</source>
        <translation> mV</translation>
    </message>
    <message>
        <source>Temperature offset</source>
        <translation>온도 오프셋</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
    <message>
        <source>factory reset failed...!</source>
        <translation>공장 초기화에 실패했습니다...!</translation>
    </message>
    <message>
        <source>[Channel 1]Last Calibration Time</source>
        <translation>[채널 1]최종 교정 시간</translation>
    </message>
    <message>
        <source>[Channel 2]Last Calibration Time</source>
        <translation>[채널 2]최종 교정 시간</translation>
    </message>
    <message>
        <source>success! apply the device&apos;s temperature mode to the celsius mode.</source>
        <translation>성공! 장치의 온도 모드를 섭씨로 바꿨습니다.</translation>
    </message>
    <message>
        <source>success! apply the device&apos;s temperature mode to the fahrenheit mode.</source>
        <translation>성공! 장치의 온도 모드를 화씨로 바꿨습니다.</translation>
    </message>
    <message>
        <source>FAIL! apply the device&apos;s temperature mode to the celsius mode.</source>
        <translation>실패! 장치의 온도 모드를 섭씨 모드로 적용하지 못했습니다.</translation>
    </message>
    <message>
        <source>FAIL! apply the device&apos;s temperature mode to the fahrenheit mode.</source>
        <translation>실패! 장치의 온도 모드를 화씨 모드로 적용하지 못했습니다.</translation>
    </message>
    <message>
        <source>change the sensor to the digital filter mode </source>
        <translation>센서를 디지털 필터 모드로 변경합니다 </translation>
    </message>
    <message>
        <source>change the sensor to temperature compensation mode </source>
        <translation>센서를 온도 보상 모드로 변경합니다 </translation>
    </message>
    <message>
        <source>Please specify the sensor type.</source>
        <translation>센서 종류를 지정하십시오.</translation>
    </message>
    <message>
        <source>Do you want to change the parameters?</source>
        <translation>파라미터를 변경하시겠습니까?</translation>
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
<context>
    <name>VdCalibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>RS485 - MODBUS</source>
        <translation>RS485 - MODBUS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>공장 초기화</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>초기화</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>MODBUS Mode</source>
        <translation>MODBUS 모드</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>슬레이브</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>마스터</translation>
    </message>
    <message>
        <source>MODBUS BaudRate</source>
        <translation>MODBUS 통신 속도</translation>
    </message>
    <message>
        <source>MODBUS Timeout</source>
        <translation>MODBUS 타임아웃</translation>
    </message>
    <message>
        <source>MODBUS ByteSwap</source>
        <translation>MODBUS 바이트 스왑</translation>
    </message>
    <message>
        <source>ByteSwap</source>
        <translation>바이트 스왑</translation>
    </message>
    <message>
        <source>MODBUS Slave ID</source>
        <translation>MODBUS 슬레이브 ID</translation>
    </message>
    <message>
        <source>Threshold Channel</source>
        <translation>임계 채널</translation>
    </message>
    <message>
        <source>Threshold Value</source>
        <translation>임계값</translation>
    </message>
    <message>
        <source>Holding Times</source>
        <translation>유지 시간</translation>
    </message>
    <message>
        <source>Relay Slave ID</source>
        <translation>릴레이 슬레이브 ID</translation>
    </message>
    <message>
        <source>Relay NO</source>
        <translation>릴레이 번호</translation>
    </message>
    <message>
        <source>Sensor output mode</source>
        <translation>센서 출력 모드</translation>
    </message>
    <message>
        <source>Counter mode</source>
        <translation>카운터 모드</translation>
    </message>
    <message>
        <source>Cumulative</source>
        <translation>누적</translation>
    </message>
    <message>
        <source>Differential</source>
        <translation>차등</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Full Range Offset</source>
        <translation>전체 범위 오프셋</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Last Calibration Time</source>
        <translation>마지막 교정 시간</translation>
    </message>
    <message>
        <source>the Factory Reset is failed!</source>
        <translation>공장 초기화에 실패했습니다!</translation>
    </message>
    <message>
        <source>change the sensor output mode to &apos;</source>
        <translation>센서 출력 모드 변경: '</translation>
    </message>
    <message>
        <source>change the counter mode to &apos;</source>
        <translation>카운터 모드 변경: '</translation>
    </message>
</context>
<context>
    <name>Zq62Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Temperature Output Mode</source>
        <translation>온도 출력 모드</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>습도</translation>
    </message>
</context>
<context>
    <name>Zq63Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Temperature Output Mode</source>
        <translation>온도 출력 모드</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Sensing Range (Min/Max)</source>
        <translation>감지 범위 (최소/최대)</translation>
    </message>
    <message>
        <source>Error Correction (Zero/Span)</source>
        <translation>오차 보정 (영점/스팬)</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
</context>
<context>
    <name>Zq70ACalibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Input Type</source>
        <translation>입력 타입</translation>
    </message>
    <message>
        <source>4~20mA</source>
        <translation>4~20mA</translation>
    </message>
    <message>
        <source>0~20mA</source>
        <translation>0~20mA</translation>
    </message>
    <message>
        <source>0~1000mV</source>
        <translation>0~1000mV</translation>
    </message>
    <message>
        <source>Event Trigger Condition</source>
        <translation>이벤트 트리거 조건</translation>
    </message>
    <message>
        <source>CH1 OR CH2</source>
        <translation>CH1 OR CH2</translation>
    </message>
    <message>
        <source>CH1 AND CH2</source>
        <translation>CH1 AND CH2</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>SCALE</source>
        <translation>스케일</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Sensing Range (Min/Max)</source>
        <translation>감지 범위 (최소/최대)</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>Error Correction (Zero/Span)</source>
        <translation>오차 보정 (영점/스팬)</translation>
    </message>
    <message>
        <source>Scaled Value (Min/Max)</source>
        <translation>스케일 값 (최소/최대)</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>배율</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Event Mode</source>
        <translation>이벤트 모드</translation>
    </message>
    <message>
        <source>None</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>LO/HI Edge OutBound</source>
        <translation>LO/HI 경계 벗어남</translation>
    </message>
    <message>
        <source>Change Event</source>
        <translation>변화 이벤트</translation>
    </message>
    <message>
        <source>LO/HI Edge InBound</source>
        <translation>LO/HI 경계 안쪽</translation>
    </message>
    <message>
        <source>Event LO Edge</source>
        <translation>이벤트 LO 경계</translation>
    </message>
    <message>
        <source> LO</source>
        <translation> LO</translation>
    </message>
    <message>
        <source>Event HI Edge</source>
        <translation>이벤트 HI 경계</translation>
    </message>
    <message>
        <source> HI</source>
        <translation> HI</translation>
    </message>
    <message>
        <source>Change Event Diff. Value</source>
        <translation>변화 이벤트 차이 값</translation>
    </message>
    <message>
        <source> D</source>
        <translation> D</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
</context>
<context>
    <name>Zq74Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Temperature Output Mode</source>
        <translation>온도 출력 모드</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>센서 타입</translation>
    </message>
    <message>
        <source>PT100</source>
        <translation>PT100</translation>
    </message>
    <message>
        <source>TC-K</source>
        <translation>TC-K</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Sensing Range (Min/Max)</source>
        <translation>감지 범위 (최소/최대)</translation>
    </message>
    <message>
        <source>Error Correction (Zero/Span)</source>
        <translation>오차 보정 (영점/스팬)</translation>
    </message>
    <message>
        <source>Full Range Input Offset</source>
        <translation>전체 범위 입력 오프셋</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
</context>
<context>
    <name>Zq80Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>Sensor mode</source>
        <translation>센서 모드</translation>
    </message>
    <message>
        <source>TVOC,Humi</source>
        <translation>TVOC,습도</translation>
    </message>
    <message>
        <source>TVOC,CO2</source>
        <translation>TVOC,CO2</translation>
    </message>
    <message>
        <source>VOC Calibration (In clean air)</source>
        <translation>VOC 교정 (깨끗한 공기에서)</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>교정</translation>
    </message>
    <message>
        <source>Factory Calibration (For 12 hours)</source>
        <translation>공장 교정 (12시간)</translation>
    </message>
    <message>
        <source>Factory</source>
        <translation>공장</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>TVOC</source>
        <translation>TVOC</translation>
    </message>
    <message>
        <source>TVOC offset</source>
        <translation>TVOC 오프셋</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>ppb</source>
        <translation>ppb</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Full Range Offset</source>
        <translation>전체 범위 오프셋</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Do you want to calibrate for 12 hours?</source>
        <translation>12시간 동안 교정하시겠습니까?</translation>
    </message>
    <message>
        <source>Success...</source>
        <translation>성공...</translation>
    </message>
    <message>
        <source>Unplug the sensor and plug it in again.
Normal operation after 12 hours.</source>
        <translation>센서를 뽑았다가 다시 꽂으십시오.
12시간 후 정상 동작합니다.</translation>
    </message>
    <message>
        <source>Please retry...</source>
        <translation>다시 시도하십시오...</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
</context>
<context>
    <name>Zq81Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>CO2</source>
        <translation>CO2</translation>
    </message>
    <message>
        <source>CO2 offset</source>
        <translation>CO2 오프셋</translation>
    </message>
    <message>
        <source>CO2 Calibration</source>
        <translation>CO2 교정</translation>
    </message>
    <message>
        <source> ppm</source>
        <translation> ppm</translation>
    </message>
    <message>
        <source>Barometric Pressure</source>
        <translation>대기압</translation>
    </message>
    <message>
        <source>default value is 1013mbar at 0m alititude. minimum value is 843mbar(1524m). maximum value is 1050(-305m).</source>
        <translation>기본값은 고도 0m에서 1013mbar입니다. 최솟값은 843mbar(1524m), 최댓값은 1050(-305m)입니다.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;default value is 1013mbar at 0m alititude. minimum value is 843mbar(1524m). maximum value is 1050(-305m).&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;기본값은 고도 0m에서 1013mbar입니다. 최솟값은 843mbar(1524m), 최댓값은 1050(-305m)입니다.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source> mbar</source>
        <translation> mbar</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>Digital Filter</source>
        <translation>디지털 필터</translation>
    </message>
    <message>
        <source>zero is a smart filter mode. For most applications, a filter setting of 32 is recommended.</source>
        <translation>0은 스마트 필터 모드입니다. 대부분의 용도에는 필터 값 32를 권장합니다.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;For most applications, a filter setting of 32 is recommended.&lt;/span&gt;&lt;/p&gt;&lt;p&gt;If the filter is set to zero, &lt;span style=&quot; font-size:10pt;&quot;&gt;a smart filter mode&lt;/span&gt;will be used in which the filter response is altered to suit the prevailing conditions. This is useful if there is a combination of steady state conditions, with some periods of rapidly changing concentrations.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:10pt;"&gt;대부분의 용도에는 필터 값 32를 권장합니다.&lt;/span&gt;&lt;/p&gt;&lt;p&gt;필터를 0으로 설정하면 &lt;span style=" font-size:10pt;"&gt;스마트 필터 모드&lt;/span&gt;가 사용되어 현재 상황에 맞게 필터 응답이 바뀝니다. 정상 상태와 농도가 빠르게 변하는 구간이 섞여 있을 때 유용합니다.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>CO2 Version Info.</source>
        <translation>CO2 버전 정보</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Temperature offset</source>
        <translation>온도 오프셋</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
</context>
<context>
    <name>Zq82Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Sensor mode</source>
        <translation>센서 모드</translation>
    </message>
    <message>
        <source>%,&apos;C</source>
        <translation>%,'C</translation>
    </message>
    <message>
        <source>mbar,mbar</source>
        <translation>mbar,mbar</translation>
    </message>
    <message>
        <source>ppm,mmh2o</source>
        <translation>ppm,mmh2o</translation>
    </message>
    <message>
        <source>%,mbar</source>
        <translation>%,mbar</translation>
    </message>
    <message>
        <source>%,NULL</source>
        <translation>%,NULL</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>채널 1</translation>
    </message>
    <message>
        <source>Full Range Offset</source>
        <translation>전체 범위 오프셋</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>O2 Version Info.</source>
        <translation>O2 버전 정보</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>채널 2</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
</context>
<context>
    <name>Zq83Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Digital filter</source>
        <translation>디지털 필터</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>Temp. Compensate</source>
        <translation>온도 보상</translation>
    </message>
    <message>
        <source>Zero drift adjustment</source>
        <translation>영점 드리프트 조정</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
    <message>
        <source>Gas</source>
        <translation>가스</translation>
    </message>
    <message>
        <source>ppm offset</source>
        <translation>ppm 오프셋</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>uV</translation>
    </message>
    <message>
        <source>PPM Window</source>
        <translation>PPM 윈도우</translation>
    </message>
    <message>
        <source>Zero calibration</source>
        <translation>영점 교정</translation>
    </message>
    <message>
        <source> uV</source>
        <translation> uV</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source> nA/ppm</source>
        <translation> nA/ppm</translation>
    </message>
    <message>
        <source>@</source>
        <translation>@</translation>
    </message>
    <message>
        <source>Change parameters</source>
        <translation>파라미터 변경</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Temperature offset</source>
        <translation>온도 오프셋</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
</context>
<context>
    <name>Zq84Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>Digital filter</source>
        <translation>디지털 필터</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>켜기</translation>
    </message>
    <message>
        <source>Temp. Compensate</source>
        <translation>온도 보상</translation>
    </message>
    <message>
        <source>Zero drift adjustment</source>
        <translation>영점 드리프트 조정</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
    <message>
        <source>Gas</source>
        <translation>가스</translation>
    </message>
    <message>
        <source>ppm offset</source>
        <translation>ppm 오프셋</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>uV</source>
        <translation>uV</translation>
    </message>
    <message>
        <source>PPM Window</source>
        <translation>PPM 윈도우</translation>
    </message>
    <message>
        <source>Zero calibration</source>
        <translation>영점 교정</translation>
    </message>
    <message>
        <source> uV</source>
        <translation> uV</translation>
    </message>
    <message>
        <source>Span calibration</source>
        <translation>스팬 교정</translation>
    </message>
    <message>
        <source> ppm</source>
        <translation> ppm</translation>
    </message>
    <message>
        <source>sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source> ppm/uV</source>
        <translation> ppm/uV</translation>
    </message>
    <message>
        <source>@</source>
        <translation>@</translation>
    </message>
    <message>
        <source>Change parameters</source>
        <translation>파라미터 변경</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Temperature offset</source>
        <translation>온도 오프셋</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
</context>
<context>
    <name>Zq89Calibrator</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>시리얼 번호</translation>
    </message>
    <message>
        <source>Build date time</source>
        <translation>빌드 일시</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>Last calibration date time</source>
        <translation>마지막 교정 일시</translation>
    </message>
    <message>
        <source>Used hours</source>
        <translation>사용 시간</translation>
    </message>
    <message>
        <source> hours</source>
        <translation> 시간</translation>
    </message>
    <message>
        <source>TX/RX</source>
        <translation>TX/RX</translation>
    </message>
    <message>
        <source>REFRESH</source>
        <translation>새로 고침</translation>
    </message>
    <message>
        <source>CO2</source>
        <translation>CO2</translation>
    </message>
    <message>
        <source>CO2 offset</source>
        <translation>CO2 오프셋</translation>
    </message>
    <message>
        <source>CO2 Calibration</source>
        <translation>CO2 교정</translation>
    </message>
    <message>
        <source> ppm</source>
        <translation> ppm</translation>
    </message>
    <message>
        <source>Barometric Pressure</source>
        <translation>대기압</translation>
    </message>
    <message>
        <source>default value is 1013mbar at 0m alititude. minimum value is 843mbar(1524m). maximum value is 1050(-305m).</source>
        <translation>기본값은 고도 0m에서 1013mbar입니다. 최솟값은 843mbar(1524m), 최댓값은 1050(-305m)입니다.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;default value is 1013mbar at 0m alititude. minimum value is 843mbar(1524m). maximum value is 1050(-305m).&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;기본값은 고도 0m에서 1013mbar입니다. 최솟값은 843mbar(1524m), 최댓값은 1050(-305m)입니다.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source> mbar</source>
        <translation> mbar</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>Digital Filter</source>
        <translation>디지털 필터</translation>
    </message>
    <message>
        <source>zero is a smart filter mode. For most applications, a filter setting of 32 is recommended.</source>
        <translation>0은 스마트 필터 모드입니다. 대부분의 용도에는 필터 값 32를 권장합니다.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;For most applications, a filter setting of 32 is recommended.&lt;/span&gt;&lt;/p&gt;&lt;p&gt;If the filter is set to zero, &lt;span style=&quot; font-size:10pt;&quot;&gt;a smart filter mode&lt;/span&gt;will be used in which the filter response is altered to suit the prevailing conditions. This is useful if there is a combination of steady state conditions, with some periods of rapidly changing concentrations.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=" font-size:10pt;"&gt;대부분의 용도에는 필터 값 32를 권장합니다.&lt;/span&gt;&lt;/p&gt;&lt;p&gt;필터를 0으로 설정하면 &lt;span style=" font-size:10pt;"&gt;스마트 필터 모드&lt;/span&gt;가 사용되어 현재 상황에 맞게 필터 응답이 바뀝니다. 정상 상태와 농도가 빠르게 변하는 구간이 섞여 있을 때 유용합니다.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>CO2 Version Info.</source>
        <translation>CO2 버전 정보</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>Temperature offset</source>
        <translation>온도 오프셋</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>섭씨</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>화씨</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
</context>
</TS>
