<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Dravin</source>
        <translation>About Dravin</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923</source>
        <translation>Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923</translation>
    </message>
</context>
<context>
    <name>CCommProgressDlg</name>
    <message>
        <source>COMM</source>
        <translation>COMM</translation>
    </message>
</context>
<context>
    <name>CDSLCom</name>
    <message>
        <source>COM Setup</source>
        <translation>COM Setup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>1. Port :</source>
        <translation>1. Port :</translation>
    </message>
    <message>
        <source>2. Baud:</source>
        <translation>2. Baud:</translation>
    </message>
</context>
<context>
    <name>CDatePickerCombo</name>
    <message>
        <source>Today</source>
        <translation>Today</translation>
    </message>
</context>
<context>
    <name>CDatePickerDlg</name>
    <message>
        <source>From:</source>
        <translation>From:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>To:</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Query</translation>
    </message>
</context>
<context>
    <name>CDeleModeDlg</name>
    <message>
        <source>Delete Logs</source>
        <translation>Delete Logs</translation>
    </message>
    <message>
        <source>There are two kinds of log in the logger : Auto and Manu. The logs cannot be recovered after being deleted.</source>
        <translation>There are two kinds of log in the logger : Auto and Manu. The logs cannot be recovered after being deleted.</translation>
    </message>
</context>
<context>
    <name>CDownModeDlg</name>
    <message>
        <source>Download Logs</source>
        <translation>Download Logs</translation>
    </message>
    <message>
        <source>There are two kinds of log in the logger : Auto and Manu. </source>
        <translation>There are two kinds of log in the logger : Auto and Manu. </translation>
    </message>
</context>
<context>
    <name>CFileListPane</name>
    <message>
        <source>Operation</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>CLimitsPane</name>
    <message>
        <source>First record</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Activation energy</source>
        <translation>Activation energy</translation>
    </message>
    <message>
        <source>Set or clear the limit</source>
        <translation>Set or clear the limit</translation>
    </message>
    <message>
        <source>High limit</source>
        <translation>High limit</translation>
    </message>
    <message>
        <source>Low limit</source>
        <translation>Low limit</translation>
    </message>
    <message>
        <source>Mean kinetic temperature</source>
        <translation>Mean kinetic temperature</translation>
    </message>
    <message>
        <source>Time above high</source>
        <translation>Time above high</translation>
    </message>
    <message>
        <source>Time below low</source>
        <translation>Time below low</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>Excursions</translation>
    </message>
    <message>
        <source>Longest excursion</source>
        <translation>Longest excursion</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1 channel</translation>
    </message>
    <message>
        <source>%1 channel (%2)</source>
        <translation>%1 channel (%2)</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 from %2</translation>
    </message>
    <message>
        <source>%1: high %2, low %3</source>
        <translation>%1: high %2, low %3</translation>
    </message>
    <message>
        <source>Log interval</source>
        <translation>Log interval</translation>
    </message>
    <message>
        <source>Gaps</source>
        <translation>Gaps</translation>
    </message>
    <message>
        <source>Longest gap</source>
        <translation>Longest gap</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1, no data %2</source>
        <translation>%1, no data %2</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Broken by</source>
        <translation>Broken by</translation>
    </message>
</context>
<context>
    <name>CLogKindDlg</name>
    <message>
        <source>Auto Logs</source>
        <translation>Auto Logs</translation>
    </message>
    <message>
        <source>Manu Logs</source>
        <translation>Manu Logs</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CLoggerApp</name>
    <message>
        <source>The demo logger cannot start: no pseudo-terminal.</source>
        <translation>The demo logger cannot start: no pseudo-terminal.</translation>
    </message>
</context>
<context>
    <name>CLoggerView</name>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Demo logger ready: Connect, then Download</source>
        <translation>Demo logger ready: Connect, then Download</translation>
    </message>
    <message>
        <source>Connect a logger, or open a log</source>
        <translation>Connect a logger, or open a log</translation>
    </message>
</context>
<context>
    <name>CMsgDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CRenameDlg</name>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Filename format: *_*.drav</source>
        <translation>Filename format: *_*.drav</translation>
    </message>
    <message>
        <source>New Name:</source>
        <translation>New Name:</translation>
    </message>
</context>
<context>
    <name>Dravin</name>
    <message>
        <source>Settings and logs: %1</source>
        <translation>Settings and logs: %1</translation>
    </message>
    <message>
        <source>Realtime</source>
        <translation>Realtime</translation>
    </message>
    <message>
        <source>sample</source>
        <translation>sample</translation>
    </message>
    <message>
        <source>samples</source>
        <translation>samples</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>4th</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>Use the logger&apos;s limits</source>
        <translation>Use the logger&apos;s limits</translation>
    </message>
    <message>
        <source>Dravin Files (*.drav)</source>
        <translation>Dravin Files (*.drav)</translation>
    </message>
    <message>
        <source>Dravin is reading date in realtiem mode, please stop it, then exit the program.</source>
        <translation>Dravin is reading date in realtiem mode, please stop it, then exit the program.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Did not find any devices connected to a USB port. <byte value="xd"/>
Please check all the connections and cables, and try again. <byte value="xd"/>
If a logger is connected, you may have to restart Corvane software or your computer for the device to be recognized.</source>
        <translation>Did not find any devices connected to a USB port. <byte value="xd"/>
Please check all the connections and cables, and try again. <byte value="xd"/>
If a logger is connected, you may have to restart Corvane software or your computer for the device to be recognized.</translation>
    </message>
    <message>
        <source>Connect failed: COM%d can not be opened.</source>
        <translation>Connect failed: COM%d can not be opened.</translation>
    </message>
    <message>
        <source>Open(&amp;O)...	Ctrl+O</source>
        <translation>Open(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open
Open</source>
        <translation>Open
Open</translation>
    </message>
    <message>
        <source>Save As(&amp;S)</source>
        <translation>Save As(&amp;S)</translation>
    </message>
    <message>
        <source>Save As
Save As</source>
        <translation>Save As
Save As</translation>
    </message>
    <message>
        <source>Save to &amp;Excel...	Ctrl+E</source>
        <translation>Save to &amp;Excel...	Ctrl+E</translation>
    </message>
    <message>
        <source>Save to Excel
EXCEL</source>
        <translation>Save to Excel
EXCEL</translation>
    </message>
    <message>
        <source>Save to &amp;Txt...	Ctrl+T</source>
        <translation>Save to &amp;Txt...	Ctrl+T</translation>
    </message>
    <message>
        <source>Save to Txt
TXT</source>
        <translation>Save to Txt
TXT</translation>
    </message>
    <message>
        <source>Save to &amp;BMP...	Ctrl+J</source>
        <translation>Save to &amp;BMP...	Ctrl+J</translation>
    </message>
    <message>
        <source>Save to BMP
BMP</source>
        <translation>Save to BMP
BMP</translation>
    </message>
    <message>
        <source>Save to P&amp;DF...</source>
        <translation>Save to P&amp;DF...</translation>
    </message>
    <message>
        <source>Save the report as a PDF file
PDF</source>
        <translation>Save the report as a PDF file
PDF</translation>
    </message>
    <message>
        <source>Save to CSV...</source>
        <translation>Save to CSV...</translation>
    </message>
    <message>
        <source>Save to CSV
CSV</source>
        <translation>Save to CSV
CSV</translation>
    </message>
    <message>
        <source>Print(&amp;P)...	Ctrl+P</source>
        <translation>Print(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print
Print</source>
        <translation>Print
Print</translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)</source>
        <translation>Print Preview(&amp;V)</translation>
    </message>
    <message>
        <source>Preview
Preview</source>
        <translation>Preview
Preview</translation>
    </message>
    <message>
        <source>Printer Setup(&amp;R)...</source>
        <translation>Printer Setup(&amp;R)...</translation>
    </message>
    <message>
        <source>Printer
Printer</source>
        <translation>Printer
Printer</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>Exit(&amp;X)</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>Exit
Exit</translation>
    </message>
    <message>
        <source>Connect(&amp;C)</source>
        <translation>Connect(&amp;C)</translation>
    </message>
    <message>
        <source>Connect
Connect</source>
        <translation>Connect
Connect</translation>
    </message>
    <message>
        <source>Disconnect(&amp;D)</source>
        <translation>Disconnect(&amp;D)</translation>
    </message>
    <message>
        <source>Disconnect
Disconnect</source>
        <translation>Disconnect
Disconnect</translation>
    </message>
    <message>
        <source>Com Port(&amp;T)</source>
        <translation>Com Port(&amp;T)</translation>
    </message>
    <message>
        <source>Comm
Comm</source>
        <translation>Comm
Comm</translation>
    </message>
    <message>
        <source>Download(&amp;L)</source>
        <translation>Download(&amp;L)</translation>
    </message>
    <message>
        <source>Download
Download</source>
        <translation>Download
Download</translation>
    </message>
    <message>
        <source>Setup(&amp;P)</source>
        <translation>Setup(&amp;P)</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Delete(&amp;E)</source>
        <translation>Delete(&amp;E)</translation>
    </message>
    <message>
        <source>Delete
Delete</source>
        <translation>Delete
Delete</translation>
    </message>
    <message>
        <source>Realtime(&amp;R)</source>
        <translation>Realtime(&amp;R)</translation>
    </message>
    <message>
        <source>Realtime
Realtime</source>
        <translation>Realtime
Realtime</translation>
    </message>
    <message>
        <source>Stop(&amp;S)</source>
        <translation>Stop(&amp;S)</translation>
    </message>
    <message>
        <source>Stop
Stop</source>
        <translation>Stop
Stop</translation>
    </message>
    <message>
        <source>File List(&amp;F)</source>
        <translation>File List(&amp;F)</translation>
    </message>
    <message>
        <source>File List</source>
        <translation>File List</translation>
    </message>
    <message>
        <source>Data List(&amp;A)</source>
        <translation>Data List(&amp;A)</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Data List</translation>
    </message>
    <message>
        <source>Query(&amp;Q)</source>
        <translation>Query(&amp;Q)</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>100%(100%)</source>
        <translation>100%(100%)</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Limits</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>Temperatures in °F</source>
        <translation>Temperatures in °F</translation>
    </message>
    <message>
        <source>Show temperatures in °F
°F</source>
        <translation>Show temperatures in °F
°F</translation>
    </message>
    <message>
        <source>About Dravin(&amp;A)...</source>
        <translation>About Dravin(&amp;A)...</translation>
    </message>
    <message>
        <source>About Dravin
About</source>
        <translation>About Dravin
About</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>File(&amp;F)</translation>
    </message>
    <message>
        <source>Comm(&amp;C)</source>
        <translation>Comm(&amp;C)</translation>
    </message>
    <message>
        <source>Log(&amp;D)</source>
        <translation>Log(&amp;D)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>View(&amp;V)</translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation>About(&amp;A)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>The language changes the next time Dravin starts.</source>
        <translation>The language changes the next time Dravin starts.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>Disk full while accessing %1.</translation>
    </message>
    <message>
        <source>Failed to save to PDF file.</source>
        <translation>Failed to save to PDF file.</translation>
    </message>
    <message>
        <source>Could not start print job.</source>
        <translation>Could not start print job.</translation>
    </message>
    <message>
        <source>Text File(*.txt)</source>
        <translation>Text File(*.txt)</translation>
    </message>
    <message>
        <source>Excel File(*.xls)</source>
        <translation>Excel File(*.xls)</translation>
    </message>
    <message>
        <source>CSV File(*.csv)</source>
        <translation>CSV File(*.csv)</translation>
    </message>
    <message>
        <source>Microsoft BMP File(*.bmp)</source>
        <translation>Microsoft BMP File(*.bmp)</translation>
    </message>
    <message>
        <source>PDF File(*.pdf)</source>
        <translation>PDF File(*.pdf)</translation>
    </message>
    <message>
        <source>Cannot find the USB port, please choose it manually.</source>
        <translation>Cannot find the USB port, please choose it manually.</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Invalid new file name.</source>
        <translation>Invalid new file name.</translation>
    </message>
    <message>
        <source>Command failed.</source>
        <translation>Command failed.</translation>
    </message>
    <message>
        <source>Are you sure to delete the log file %1?</source>
        <translation>Are you sure to delete the log file %1?</translation>
    </message>
    <message>
        <source>Please select date</source>
        <translation>Please select date</translation>
    </message>
    <message>
        <source>Please select date and time first.</source>
        <translation>Please select date and time first.</translation>
    </message>
    <message>
        <source>No matched logs.</source>
        <translation>No matched logs.</translation>
    </message>
    <message>
        <source>Show 1st CH</source>
        <translation>Show 1st CH</translation>
    </message>
    <message>
        <source>Show 2nd CH</source>
        <translation>Show 2nd CH</translation>
    </message>
    <message>
        <source>Show 3rd CH</source>
        <translation>Show 3rd CH</translation>
    </message>
    <message>
        <source>Show 4th CH</source>
        <translation>Show 4th CH</translation>
    </message>
    <message>
        <source>Get setup information from logger.</source>
        <translation>Get setup information from logger.</translation>
    </message>
    <message>
        <source>Synchronize setup information and PC time to logger.</source>
        <translation>Synchronize setup information and PC time to logger.</translation>
    </message>
    <message>
        <source>Samping in realtime...</source>
        <translation>Samping in realtime...</translation>
    </message>
    <message>
        <source>Delete Auto-logs, please wait...</source>
        <translation>Delete Auto-logs, please wait...</translation>
    </message>
    <message>
        <source>Delete Manu-logs...</source>
        <translation>Delete Manu-logs...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Success.</source>
        <translation><byte value="xd"/>
Success.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Failed, please try again.</source>
        <translation><byte value="xd"/>
Failed, please try again.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Timeout!</source>
        <translation><byte value="xd"/>
Timeout!</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Some records did not arrive whole and were lost.</source>
        <translation><byte value="xd"/>
Some records did not arrive whole and were lost.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Downloading %u pacakges, total %u pacakges...</source>
        <translation><byte value="xd"/>
Downloading %u pacakges, total %u pacakges...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
No logs.</source>
        <translation><byte value="xd"/>
No logs.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The log was cut at %u records.</source>
        <translation><byte value="xd"/>
The log was cut at %u records.</translation>
    </message>
    <message>
        <source>Downloading data, please wait...</source>
        <translation>Downloading data, please wait...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Download Manu-logs...</source>
        <translation><byte value="xd"/>
Download Manu-logs...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
 Failed.</source>
        <translation><byte value="xd"/>
 Failed.</translation>
    </message>
    <message>
        <source>Failed, please try again.</source>
        <translation>Failed, please try again.</translation>
    </message>
    <message>
        <source>The USB cable was unplugged and the connection was broken.</source>
        <translation>The USB cable was unplugged and the connection was broken.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Cannot connect to the logger, please try again.</source>
        <translation><byte value="xd"/>
Cannot connect to the logger, please try again.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
获取属性信息超时，请重试！</source>
        <translation><byte value="xd"/>
Reading the logger&apos;s setup timed out, please try again!</translation>
    </message>
    <message>
        <source>Timeout!</source>
        <translation>Timeout!</translation>
    </message>
    <message>
        <source>Connect to the logger...</source>
        <translation>Connect to the logger...</translation>
    </message>
    <message>
        <source>Error: Please recorrect the list items, then synchronize to the logger.</source>
        <translation>Error: Please recorrect the list items, then synchronize to the logger.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. Sampling interval is invalid, it must be in [1，240].</source>
        <translation><byte value="xd"/>
%d. Sampling interval is invalid, it must be in [1，240].</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. Log interval is invalid, it must be bigger than the sampling interval.</source>
        <translation><byte value="xd"/>
%d. Log interval is invalid, it must be bigger than the sampling interval.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH1 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. CH1 Limit error: the Upper Limit must be more than the Lower.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CHq Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. CHq Limit error: the Upper Limit must be more than the Lower.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH3 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. CH3 Limit error: the Upper Limit must be more than the Lower.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH4 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. CH4 Limit error: the Upper Limit must be more than the Lower.</translation>
    </message>
    <message>
        <source>Read properties...</source>
        <translation>Read properties...</translation>
    </message>
    <message>
        <source>Sync to the logger?</source>
        <translation>Sync to the logger?</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Synchronizing...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
打开数据文件失败：格式错误！</source>
        <translation><byte value="xd"/>
Failed to open the data file: format error!</translation>
    </message>
    <message>
        <source>File format error.</source>
        <translation>File format error.</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Please verify that the correct path and file name are given.</source>
        <translation>%1
Cannot find this file.
Please verify that the correct path and file name are given.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>Unable to read from %1, it is opened by someone else.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Failed to open document.</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>Destination disk drive is full.</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>Unable to write to %1, it is read-only or opened by someone else.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Failed to save document.</translation>
    </message>
    <message>
        <source>正在将数据保存到文件：%s，请稍候！</source>
        <translation>Saving the data to file: %s, please wait!</translation>
    </message>
    <message>
        <source>: the serial number makes no file name</source>
        <translation>: the serial number makes no file name</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Cannot save logs in </source>
        <translation><byte value="xd"/>
Cannot save logs in </translation>
    </message>
    <message>
        <source>Failed to save to BMP file.</source>
        <translation>Failed to save to BMP file.</translation>
    </message>
    <message>
        <source>Failed to save to CSV file.</source>
        <translation>Failed to save to CSV file.</translation>
    </message>
    <message>
        <source>保存数据到TXT文件失败！</source>
        <translation>Failed to save the data to the TXT file!</translation>
    </message>
    <message>
        <source>Failed to save to excel file.</source>
        <translation>Failed to save to excel file.</translation>
    </message>
    <message>
        <source>Not stored: %s. Allowed: %s.</source>
        <translation>Not stored: %s. Allowed: %s.</translation>
    </message>
    <message>
        <source>a whole number from %s to %s</source>
        <translation>a whole number from %s to %s</translation>
    </message>
    <message>
        <source>exactly 10 printable ASCII characters, without / or \</source>
        <translation>exactly 10 printable ASCII characters, without / or \</translation>
    </message>
    <message>
        <source>Cut to %s: a name holds at most %d bytes in the logger&apos;s code page (a Chinese character takes two).</source>
        <translation>Cut to %s: a name holds at most %d bytes in the logger&apos;s code page (a Chinese character takes two).</translation>
    </message>
    <message>
        <source>Not stored: this item cannot be edited.</source>
        <translation>Not stored: this item cannot be edited.</translation>
    </message>
    <message>
        <source>1. Name</source>
        <translation>1. Name</translation>
    </message>
    <message>
        <source>2. SN </source>
        <translation>2. SN </translation>
    </message>
    <message>
        <source>3. Catalogue</source>
        <translation>3. Catalogue</translation>
    </message>
    <message>
        <source>4. Model</source>
        <translation>4. Model</translation>
    </message>
    <message>
        <source>5. Hardware</source>
        <translation>5. Hardware</translation>
    </message>
    <message>
        <source>1. Sampling Interval
 1-240 seconds.</source>
        <translation>1. Sampling Interval
 1-240 seconds.</translation>
    </message>
    <message>
        <source>2. Log Interval
 2 - 86400 seconds</source>
        <translation>2. Log Interval
 2 - 86400 seconds</translation>
    </message>
    <message>
        <source>1. Logs Count</source>
        <translation>1. Logs Count</translation>
    </message>
    <message>
        <source>2. MANU Logs</source>
        <translation>2. MANU Logs</translation>
    </message>
    <message>
        <source>3. Capacity</source>
        <translation>3. Capacity</translation>
    </message>
    <message>
        <source>1. CH1 High Limit</source>
        <translation>1. CH1 High Limit</translation>
    </message>
    <message>
        <source>2. CH1 Low Limit</source>
        <translation>2. CH1 Low Limit</translation>
    </message>
    <message>
        <source>3. Offset</source>
        <translation>3. Offset</translation>
    </message>
    <message>
        <source>1. Upper Limit</source>
        <translation>1. Upper Limit</translation>
    </message>
    <message>
        <source>2. Low Limit</source>
        <translation>2. Low Limit</translation>
    </message>
    <message>
        <source>1. CH3 High</source>
        <translation>1. CH3 High</translation>
    </message>
    <message>
        <source>2. CH3 Low</source>
        <translation>2. CH3 Low</translation>
    </message>
    <message>
        <source>1. CH4 High</source>
        <translation>1. CH4 High</translation>
    </message>
    <message>
        <source>2. CH4 Low</source>
        <translation>2. CH4 Low</translation>
    </message>
    <message>
        <source>A.System</source>
        <translation>A.System</translation>
    </message>
    <message>
        <source>B.Sampling</source>
        <translation>B.Sampling</translation>
    </message>
    <message>
        <source>C.Storage</source>
        <translation>C.Storage</translation>
    </message>
    <message>
        <source>D1.CH1</source>
        <translation>D1.CH1</translation>
    </message>
    <message>
        <source>D2.CH2</source>
        <translation>D2.CH2</translation>
    </message>
    <message>
        <source>D3.CH3</source>
        <translation>D3.CH3</translation>
    </message>
    <message>
        <source>D4.CH4</source>
        <translation>D4.CH4</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples cannot be journaled (%s: %s); a crash would lose them.</source>
        <translation><byte value="xd"/>
Realtime samples cannot be journaled (%s: %s); a crash would lose them.</translation>
    </message>
    <message>
        <source>The logger is still sending...</source>
        <translation>The logger is still sending...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The download was cut short by the user.</source>
        <translation><byte value="xd"/>
The download was cut short by the user.</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>it is larger than any journal</source>
        <translation>it is larger than any journal</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples that were never saved are now saved as %s</source>
        <translation><byte value="xd"/>
Realtime samples that were never saved are now saved as %s</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples in %s could not be saved (%s); they are kept.</source>
        <translation><byte value="xd"/>
Realtime samples in %s could not be saved (%s); they are kept.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The realtime journal %s cannot be read (%s); it is kept.</source>
        <translation><byte value="xd"/>
The realtime journal %s cannot be read (%s); it is kept.</translation>
    </message>
    <message>
        <source>its first line is not a journal&apos;s</source>
        <translation>its first line is not a journal&apos;s</translation>
    </message>
    <message>
        <source>, gaps %s</source>
        <translation>, gaps %s</translation>
    </message>
    <message>
        <source>%d, no data %s, longest %s from %s</source>
        <translation>%d, no data %s, longest %s from %s</translation>
    </message>
    <message>
        <source>Tenths of the channel&apos;s unit: %s is %s %s.</source>
        <translation>Tenths of the channel&apos;s unit: %s is %s %s.</translation>
    </message>
    <message>
        <source>Any reading outside</source>
        <translation>Any reading outside</translation>
    </message>
    <message>
        <source>One excursion longer than</source>
        <translation>One excursion longer than</translation>
    </message>
    <message>
        <source>Outside in all longer than</source>
        <translation>Outside in all longer than</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>FAIL</translation>
    </message>
    <message>
        <source>FAIL: the high limit&apos;s rule</source>
        <translation>FAIL: the high limit&apos;s rule</translation>
    </message>
    <message>
        <source>FAIL: the low limit&apos;s rule</source>
        <translation>FAIL: the low limit&apos;s rule</translation>
    </message>
    <message>
        <source>No limits set</source>
        <translation>No limits set</translation>
    </message>
    <message>
        <source>The archive cannot be used: %s Logs are saved, but not recorded.</source>
        <translation>The archive cannot be used: %s Logs are saved, but not recorded.</translation>
    </message>
    <message>
        <source>Archive: unchanged since %1</source>
        <translation>Archive: unchanged since %1</translation>
    </message>
    <message>
        <source>Archive: CHANGED since %1</source>
        <translation>Archive: CHANGED since %1</translation>
    </message>
    <message>
        <source>Archive: not in the archive</source>
        <translation>Archive: not in the archive</translation>
    </message>
    <message>
        <source>Archive: the file cannot be read</source>
        <translation>Archive: the file cannot be read</translation>
    </message>
    <message>
        <source>Archive: cannot be used</source>
        <translation>Archive: cannot be used</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>History...</translation>
    </message>
    <message>
        <source>The audit trail of the log on show</source>
        <translation>The audit trail of the log on show</translation>
    </message>
    <message>
        <source>Sign...</source>
        <translation>Sign...</translation>
    </message>
    <message>
        <source>Sign the log on show as reviewed, approved or rejected</source>
        <translation>Sign the log on show as reviewed, approved or rejected</translation>
    </message>
    <message>
        <source>The log on show is not saved in a file yet.</source>
        <translation>The log on show is not saved in a file yet.</translation>
    </message>
    <message>
        <source>The archive cannot be used: %1</source>
        <translation>The archive cannot be used: %1</translation>
    </message>
    <message>
        <source>Only a log unchanged since it was recorded can be signed: %1 is %2.</source>
        <translation>Only a log unchanged since it was recorded can be signed: %1 is %2.</translation>
    </message>
    <message>
        <source>Signed as %1 by %2, entry %3.</source>
        <translation>Signed as %1 by %2, entry %3.</translation>
    </message>
    <message>
        <source>changed since it was recorded</source>
        <translation>changed since it was recorded</translation>
    </message>
    <message>
        <source>not in the archive</source>
        <translation>not in the archive</translation>
    </message>
    <message>
        <source>not readable</source>
        <translation>not readable</translation>
    </message>
    <message>
        <source>Reviewed</source>
        <translation>Reviewed</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>Approved</translation>
    </message>
    <message>
        <source>Rejected</source>
        <translation>Rejected</translation>
    </message>
    <message>
        <source>Entry</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>History of %1</source>
        <translation>History of %1</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>Sign</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comment</translation>
    </message>
</context>
</TS>
