<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Dravin</source>
        <translation>关于 Dravin</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923</source>
        <translation>Dravin，适用于 KM3xx/5xx 数据记录仪。版本 1.21 B923</translation>
    </message>
</context>
<context>
    <name>CCommProgressDlg</name>
    <message>
        <source>COMM</source>
        <translation>通讯</translation>
    </message>
</context>
<context>
    <name>CDSLCom</name>
    <message>
        <source>COM Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>1. Port :</source>
        <translation>1. 端口：</translation>
    </message>
    <message>
        <source>2. Baud:</source>
        <translation>2. 波特率：</translation>
    </message>
</context>
<context>
    <name>CDatePickerCombo</name>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
</context>
<context>
    <name>CDatePickerDlg</name>
    <message>
        <source>From:</source>
        <translation>从：</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到：</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>查询</translation>
    </message>
</context>
<context>
    <name>CDeleModeDlg</name>
    <message>
        <source>Delete Logs</source>
        <translation>删除记录</translation>
    </message>
    <message>
        <source>There are two kinds of log in the logger : Auto and Manu. The logs cannot be recovered after being deleted.</source>
        <translation>记录仪中有两种记录：自动记录和手动记录。记录删除后无法恢复。</translation>
    </message>
</context>
<context>
    <name>CDownModeDlg</name>
    <message>
        <source>Download Logs</source>
        <translation>下载记录</translation>
    </message>
    <message>
        <source>There are two kinds of log in the logger : Auto and Manu. </source>
        <translation>记录仪中有两种记录：自动记录和手动记录。</translation>
    </message>
</context>
<context>
    <name>CFileListPane</name>
    <message>
        <source>Operation</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>CLimitsPane</name>
    <message>
        <source>First record</source>
        <translation>第一条记录</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>最后一条记录</translation>
    </message>
    <message>
        <source>Activation energy</source>
        <translation>活化能</translation>
    </message>
    <message>
        <source>Set or clear the limit</source>
        <translation>设置或清除限值</translation>
    </message>
    <message>
        <source>High limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Low limit</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>Mean kinetic temperature</source>
        <translation>平均动力学温度</translation>
    </message>
    <message>
        <source>Time above high</source>
        <translation>高于上限的时间</translation>
    </message>
    <message>
        <source>Time below low</source>
        <translation>低于下限的时间</translation>
    </message>
    <message>
        <source>Excursions</source>
        <translation>超限次数</translation>
    </message>
    <message>
        <source>Longest excursion</source>
        <translation>最长超限</translation>
    </message>
    <message>
        <source>%1 channel</source>
        <translation>%1通道</translation>
    </message>
    <message>
        <source>%1 channel (%2)</source>
        <translation>%1通道（%2）</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1，始于 %2</translation>
    </message>
    <message>
        <source>%1: high %2, low %3</source>
        <translation>%1：上限 %2，下限 %3</translation>
    </message>
    <message>
        <source>Log interval</source>
        <translation>记录间隔</translation>
    </message>
    <message>
        <source>Gaps</source>
        <translation>数据缺口</translation>
    </message>
    <message>
        <source>Longest gap</source>
        <translation>最长缺口</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1, no data %2</source>
        <translation>%1 处，无数据 %2</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分钟</translation>
    </message>
    <message>
        <source>Broken by</source>
        <translation>判定规则</translation>
    </message>
</context>
<context>
    <name>CLogKindDlg</name>
    <message>
        <source>Auto Logs</source>
        <translation>自动记录</translation>
    </message>
    <message>
        <source>Manu Logs</source>
        <translation>手动记录</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CLoggerApp</name>
    <message>
        <source>The demo logger cannot start: no pseudo-terminal.</source>
        <translation>演示记录仪无法启动：没有伪终端。</translation>
    </message>
</context>
<context>
    <name>CLoggerView</name>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Demo logger ready: Connect, then Download</source>
        <translation>演示记录仪已就绪：先连接，再下载</translation>
    </message>
    <message>
        <source>Connect a logger, or open a log</source>
        <translation>请连接记录仪，或打开一个记录文件</translation>
    </message>
</context>
<context>
    <name>CMsgDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CRenameDlg</name>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Filename format: *_*.drav</source>
        <translation>文件名格式：*_*.drav</translation>
    </message>
    <message>
        <source>New Name:</source>
        <translation>新名称：</translation>
    </message>
</context>
<context>
    <name>Dravin</name>
    <message>
        <source>Settings and logs: %1</source>
        <translation>设置和记录：%1</translation>
    </message>
    <message>
        <source>Realtime</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>sample</source>
        <translation>个样本</translation>
    </message>
    <message>
        <source>samples</source>
        <translation>个样本</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>第1</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>第2</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>第3</translation>
    </message>
    <message>
        <source>4th</source>
        <translation>第4</translation>
    </message>
    <message>
        <source>Use the logger&apos;s limits</source>
        <translation>使用记录仪的限值</translation>
    </message>
    <message>
        <source>Dravin Files (*.drav)</source>
        <translation>Dravin 文件 (*.drav)</translation>
    </message>
    <message>
        <source>Dravin is reading date in realtiem mode, please stop it, then exit the program.</source>
        <translation>Dravin 正在实时读取数据，请先停止，然后再退出程序。</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
    <message>
        <source>Did not find any devices connected to a USB port. <byte value="xd"/>
Please check all the connections and cables, and try again. <byte value="xd"/>
If a logger is connected, you may have to restart Corvane software or your computer for the device to be recognized.</source>
        <translation>没有找到连接到 USB 端口的设备。<byte value="xd"/>
请检查所有连接和电缆，然后重试。<byte value="xd"/>
如果已连接记录仪，可能需要重新启动 Corvane 软件或计算机才能识别该设备。</translation>
    </message>
    <message>
        <source>Connect failed: COM%d can not be opened.</source>
        <translation>连接失败：无法打开 COM%d。</translation>
    </message>
    <message>
        <source>Open(&amp;O)...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open
Open</source>
        <translation>打开
打开</translation>
    </message>
    <message>
        <source>Save As(&amp;S)</source>
        <translation>另存为(&amp;S)</translation>
    </message>
    <message>
        <source>Save As
Save As</source>
        <translation>另存为
另存为</translation>
    </message>
    <message>
        <source>Save to &amp;Excel...	Ctrl+E</source>
        <translation>保存为 &amp;Excel...	Ctrl+E</translation>
    </message>
    <message>
        <source>Save to Excel
EXCEL</source>
        <translation>保存为 Excel
EXCEL</translation>
    </message>
    <message>
        <source>Save to &amp;Txt...	Ctrl+T</source>
        <translation>保存为 &amp;Txt...	Ctrl+T</translation>
    </message>
    <message>
        <source>Save to Txt
TXT</source>
        <translation>保存为 Txt
TXT</translation>
    </message>
    <message>
        <source>Save to &amp;BMP...	Ctrl+J</source>
        <translation>保存为 &amp;BMP...	Ctrl+J</translation>
    </message>
    <message>
        <source>Save to BMP
BMP</source>
        <translation>保存为 BMP
BMP</translation>
    </message>
    <message>
        <source>Save to P&amp;DF...</source>
        <translation>保存为 P&amp;DF...</translation>
    </message>
    <message>
        <source>Save the report as a PDF file
PDF</source>
        <translation>将报告保存为 PDF 文件
PDF</translation>
    </message>
    <message>
        <source>Save to CSV...</source>
        <translation>保存为 CSV...</translation>
    </message>
    <message>
        <source>Save to CSV
CSV</source>
        <translation>保存为 CSV
CSV</translation>
    </message>
    <message>
        <source>Print(&amp;P)...	Ctrl+P</source>
        <translation>打印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print
Print</source>
        <translation>打印
打印</translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Preview
Preview</source>
        <translation>预览
预览</translation>
    </message>
    <message>
        <source>Printer Setup(&amp;R)...</source>
        <translation>打印机设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Printer
Printer</source>
        <translation>打印机
打印机</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>最近的文件</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>打开此文档</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>退出
退出</translation>
    </message>
    <message>
        <source>Connect(&amp;C)</source>
        <translation>连接(&amp;C)</translation>
    </message>
    <message>
        <source>Connect
Connect</source>
        <translation>连接
连接</translation>
    </message>
    <message>
        <source>Disconnect(&amp;D)</source>
        <translation>断开(&amp;D)</translation>
    </message>
    <message>
        <source>Disconnect
Disconnect</source>
        <translation>断开
断开</translation>
    </message>
    <message>
        <source>Com Port(&amp;T)</source>
        <translation>串口(&amp;T)</translation>
    </message>
    <message>
        <source>Comm
Comm</source>
        <translation>通讯
通讯</translation>
    </message>
    <message>
        <source>Download(&amp;L)</source>
        <translation>下载(&amp;L)</translation>
    </message>
    <message>
        <source>Download
Download</source>
        <translation>下载
下载</translation>
    </message>
    <message>
        <source>Setup(&amp;P)</source>
        <translation>设置(&amp;P)</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Delete(&amp;E)</source>
        <translation>删除(&amp;E)</translation>
    </message>
    <message>
        <source>Delete
Delete</source>
        <translation>删除
删除</translation>
    </message>
    <message>
        <source>Realtime(&amp;R)</source>
        <translation>实时(&amp;R)</translation>
    </message>
    <message>
        <source>Realtime
Realtime</source>
        <translation>实时
实时</translation>
    </message>
    <message>
        <source>Stop(&amp;S)</source>
        <translation>停止(&amp;S)</translation>
    </message>
    <message>
        <source>Stop
Stop</source>
        <translation>停止
停止</translation>
    </message>
    <message>
        <source>File List(&amp;F)</source>
        <translation>文件列表(&amp;F)</translation>
    </message>
    <message>
        <source>File List</source>
        <translation>文件列表</translation>
    </message>
    <message>
        <source>Data List(&amp;A)</source>
        <translation>数据列表(&amp;A)</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>数据列表</translation>
    </message>
    <message>
        <source>Query(&amp;Q)</source>
        <translation>查询(&amp;Q)</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>100%(100%)</source>
        <translation>100%(100%)</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始大小</translation>
    </message>
    <message>
        <source>Limits</source>
        <translation>限值</translation>
    </message>
    <message>
        <source>Temperatures in °F</source>
        <translation>温度以 °F 显示</translation>
    </message>
    <message>
        <source>Show temperatures in °F
°F</source>
        <translation>以 °F 显示温度
°F</translation>
    </message>
    <message>
        <source>About Dravin(&amp;A)...</source>
        <translation>关于 Dravin(&amp;A)...</translation>
    </message>
    <message>
        <source>About Dravin
About</source>
        <translation>关于 Dravin
关于</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Comm(&amp;C)</source>
        <translation>通讯(&amp;C)</translation>
    </message>
    <message>
        <source>Log(&amp;D)</source>
        <translation>记录(&amp;D)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>The language changes the next time Dravin starts.</source>
        <translation>语言将在下次启动 Dravin 时更改。</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>访问 %1 时磁盘已满。</translation>
    </message>
    <message>
        <source>Failed to save to PDF file.</source>
        <translation>保存 PDF 文件失败。</translation>
    </message>
    <message>
        <source>Could not start print job.</source>
        <translation>无法开始打印作业。</translation>
    </message>
    <message>
        <source>Text File(*.txt)</source>
        <translation>文本文件(*.txt)</translation>
    </message>
    <message>
        <source>Excel File(*.xls)</source>
        <translation>Excel 文件(*.xls)</translation>
    </message>
    <message>
        <source>CSV File(*.csv)</source>
        <translation>CSV 文件(*.csv)</translation>
    </message>
    <message>
        <source>Microsoft BMP File(*.bmp)</source>
        <translation>Microsoft BMP 文件(*.bmp)</translation>
    </message>
    <message>
        <source>PDF File(*.pdf)</source>
        <translation>PDF 文件(*.pdf)</translation>
    </message>
    <message>
        <source>Cannot find the USB port, please choose it manually.</source>
        <translation>找不到 USB 端口，请手动选择。</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Invalid new file name.</source>
        <translation>新文件名无效。</translation>
    </message>
    <message>
        <source>Command failed.</source>
        <translation>命令失败。</translation>
    </message>
    <message>
        <source>Are you sure to delete the log file %1?</source>
        <translation>确定要删除记录文件 %1 吗？</translation>
    </message>
    <message>
        <source>Please select date</source>
        <translation>请选择日期</translation>
    </message>
    <message>
        <source>Please select date and time first.</source>
        <translation>请先选择日期和时间。</translation>
    </message>
    <message>
        <source>No matched logs.</source>
        <translation>没有匹配的记录。</translation>
    </message>
    <message>
        <source>Show 1st CH</source>
        <translation>显示第1通道</translation>
    </message>
    <message>
        <source>Show 2nd CH</source>
        <translation>显示第2通道</translation>
    </message>
    <message>
        <source>Show 3rd CH</source>
        <translation>显示第3通道</translation>
    </message>
    <message>
        <source>Show 4th CH</source>
        <translation>显示第4通道</translation>
    </message>
    <message>
        <source>Get setup information from logger.</source>
        <translation>从记录仪读取设置信息。</translation>
    </message>
    <message>
        <source>Synchronize setup information and PC time to logger.</source>
        <translation>将设置信息和电脑时间同步到记录仪。</translation>
    </message>
    <message>
        <source>Samping in realtime...</source>
        <translation>正在实时采样...</translation>
    </message>
    <message>
        <source>Delete Auto-logs, please wait...</source>
        <translation>正在删除自动记录，请稍候...</translation>
    </message>
    <message>
        <source>Delete Manu-logs...</source>
        <translation>正在删除手动记录...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Success.</source>
        <translation><byte value="xd"/>
成功。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Failed, please try again.</source>
        <translation><byte value="xd"/>
失败，请重试。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Timeout!</source>
        <translation><byte value="xd"/>
超时！</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Some records did not arrive whole and were lost.</source>
        <translation><byte value="xd"/>
部分记录未完整收到，已丢失。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Downloading %u pacakges, total %u pacakges...</source>
        <translation><byte value="xd"/>
正在下载第 %u 包，共 %u 包...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
No logs.</source>
        <translation><byte value="xd"/>
没有记录。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The log was cut at %u records.</source>
        <translation><byte value="xd"/>
记录已在 %u 条处截断。</translation>
    </message>
    <message>
        <source>Downloading data, please wait...</source>
        <translation>正在下载数据，请稍候...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Download Manu-logs...</source>
        <translation><byte value="xd"/>
正在下载手动记录...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
 Failed.</source>
        <translation><byte value="xd"/>
 失败。</translation>
    </message>
    <message>
        <source>Failed, please try again.</source>
        <translation>失败，请重试。</translation>
    </message>
    <message>
        <source>The USB cable was unplugged and the connection was broken.</source>
        <translation>USB 电缆已拔出，连接已断开。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Cannot connect to the logger, please try again.</source>
        <translation><byte value="xd"/>
无法连接到记录仪，请重试。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
获取属性信息超时，请重试！</source>
        <translation><byte value="xd"/>
获取属性信息超时，请重试！</translation>
    </message>
    <message>
        <source>Timeout!</source>
        <translation>超时！</translation>
    </message>
    <message>
        <source>Connect to the logger...</source>
        <translation>正在连接记录仪...</translation>
    </message>
    <message>
        <source>Error: Please recorrect the list items, then synchronize to the logger.</source>
        <translation>错误：请更正列表中的项目，然后再同步到记录仪。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. Sampling interval is invalid, it must be in [1，240].</source>
        <translation><byte value="xd"/>
%d. 采样间隔无效，必须在 [1，240] 之内。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. Log interval is invalid, it must be bigger than the sampling interval.</source>
        <translation><byte value="xd"/>
%d. 记录间隔无效，必须大于采样间隔。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH1 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. 通道1限值错误：上限必须大于下限。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CHq Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. 通道2限值错误：上限必须大于下限。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH3 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. 通道3限值错误：上限必须大于下限。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
%d. CH4 Limit error: the Upper Limit must be more than the Lower.</source>
        <translation><byte value="xd"/>
%d. 通道4限值错误：上限必须大于下限。</translation>
    </message>
    <message>
        <source>Read properties...</source>
        <translation>正在读取属性...</translation>
    </message>
    <message>
        <source>Sync to the logger?</source>
        <translation>同步到记录仪吗？</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>正在同步...</translation>
    </message>
    <message>
        <source><byte value="xd"/>
打开数据文件失败：格式错误！</source>
        <translation><byte value="xd"/>
打开数据文件失败：格式错误！</translation>
    </message>
    <message>
        <source>File format error.</source>
        <translation>文件格式错误。</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Please verify that the correct path and file name are given.</source>
        <translation>%1
找不到此文件。
请确认路径和文件名正确。</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>无法读取 %1，它已被其他人打开。</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>打开文档失败。</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>目标磁盘已满。</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>无法写入 %1，它是只读的或已被其他人打开。</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>保存文档失败。</translation>
    </message>
    <message>
        <source>正在将数据保存到文件：%s，请稍候！</source>
        <translation>正在将数据保存到文件：%s，请稍候！</translation>
    </message>
    <message>
        <source>: the serial number makes no file name</source>
        <translation>：此序列号不能用作文件名</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Cannot save logs in </source>
        <translation><byte value="xd"/>
无法将记录保存在 </translation>
    </message>
    <message>
        <source>Failed to save to BMP file.</source>
        <translation>保存 BMP 文件失败。</translation>
    </message>
    <message>
        <source>Failed to save to CSV file.</source>
        <translation>保存 CSV 文件失败。</translation>
    </message>
    <message>
        <source>保存数据到TXT文件失败！</source>
        <translation>保存数据到TXT文件失败！</translation>
    </message>
    <message>
        <source>Failed to save to excel file.</source>
        <translation>保存 Excel 文件失败。</translation>
    </message>
    <message>
        <source>Not stored: %s. Allowed: %s.</source>
        <translation>未保存：%s。允许：%s。</translation>
    </message>
    <message>
        <source>a whole number from %s to %s</source>
        <translation>从 %s 到 %s 的整数</translation>
    </message>
    <message>
        <source>exactly 10 printable ASCII characters, without / or \</source>
        <translation>正好 10 个可打印的 ASCII 字符，不含 / 或 \</translation>
    </message>
    <message>
        <source>Cut to %s: a name holds at most %d bytes in the logger&apos;s code page (a Chinese character takes two).</source>
        <translation>已截短为 %s：名称在记录仪的代码页中最多占 %d 个字节（一个汉字占两个）。</translation>
    </message>
    <message>
        <source>Not stored: this item cannot be edited.</source>
        <translation>未保存：此项不可编辑。</translation>
    </message>
    <message>
        <source>1. Name</source>
        <translation>1. 名称</translation>
    </message>
    <message>
        <source>2. SN </source>
        <translation>2. 序列号 </translation>
    </message>
    <message>
        <source>3. Catalogue</source>
        <translation>3. 类别</translation>
    </message>
    <message>
        <source>4. Model</source>
        <translation>4. 型号</translation>
    </message>
    <message>
        <source>5. Hardware</source>
        <translation>5. 硬件</translation>
    </message>
    <message>
        <source>1. Sampling Interval
 1-240 seconds.</source>
        <translation>1. 采样间隔
 1-240 秒。</translation>
    </message>
    <message>
        <source>2. Log Interval
 2 - 86400 seconds</source>
        <translation>2. 记录间隔
 2 - 86400 秒</translation>
    </message>
    <message>
        <source>1. Logs Count</source>
        <translation>1. 记录数</translation>
    </message>
    <message>
        <source>2. MANU Logs</source>
        <translation>2. 手动记录</translation>
    </message>
    <message>
        <source>3. Capacity</source>
        <translation>3. 容量</translation>
    </message>
    <message>
        <source>1. CH1 High Limit</source>
        <translation>1. 通道1上限</translation>
    </message>
    <message>
        <source>2. CH1 Low Limit</source>
        <translation>2. 通道1下限</translation>
    </message>
    <message>
        <source>3. Offset</source>
        <translation>3. 偏移</translation>
    </message>
    <message>
        <source>1. Upper Limit</source>
        <translation>1. 上限</translation>
    </message>
    <message>
        <source>2. Low Limit</source>
        <translation>2. 下限</translation>
    </message>
    <message>
        <source>1. CH3 High</source>
        <translation>1. 通道3上限</translation>
    </message>
    <message>
        <source>2. CH3 Low</source>
        <translation>2. 通道3下限</translation>
    </message>
    <message>
        <source>1. CH4 High</source>
        <translation>1. 通道4上限</translation>
    </message>
    <message>
        <source>2. CH4 Low</source>
        <translation>2. 通道4下限</translation>
    </message>
    <message>
        <source>A.System</source>
        <translation>A.系统</translation>
    </message>
    <message>
        <source>B.Sampling</source>
        <translation>B.采样</translation>
    </message>
    <message>
        <source>C.Storage</source>
        <translation>C.存储</translation>
    </message>
    <message>
        <source>D1.CH1</source>
        <translation>D1.通道1</translation>
    </message>
    <message>
        <source>D2.CH2</source>
        <translation>D2.通道2</translation>
    </message>
    <message>
        <source>D3.CH3</source>
        <translation>D3.通道3</translation>
    </message>
    <message>
        <source>D4.CH4</source>
        <translation>D4.通道4</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples cannot be journaled (%s: %s); a crash would lose them.</source>
        <translation><byte value="xd"/>
无法记录实时采样日志（%s：%s），程序崩溃时这些采样将丢失。</translation>
    </message>
    <message>
        <source>The logger is still sending...</source>
        <translation>记录仪仍在发送数据……</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The download was cut short by the user.</source>
        <translation><byte value="xd"/>
下载已被用户中止。</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>它不是文件</translation>
    </message>
    <message>
        <source>it is larger than any journal</source>
        <translation>它超过了实时日志的最大长度</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples that were never saved are now saved as %s</source>
        <translation><byte value="xd"/>
未保存的实时采样现已保存为 %s</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Realtime samples in %s could not be saved (%s); they are kept.</source>
        <translation><byte value="xd"/>
%s 中的实时采样无法保存（%s），已保留。</translation>
    </message>
    <message>
        <source><byte value="xd"/>
The realtime journal %s cannot be read (%s); it is kept.</source>
        <translation><byte value="xd"/>
无法读取实时日志 %s（%s），已保留。</translation>
    </message>
    <message>
        <source>its first line is not a journal&apos;s</source>
        <translation>其第一行不是实时日志的格式</translation>
    </message>
    <message>
        <source>, gaps %s</source>
        <translation>，缺口 %s</translation>
    </message>
    <message>
        <source>%d, no data %s, longest %s from %s</source>
        <translation>%d 处，无数据 %s，最长 %s，始于 %s</translation>
    </message>
    <message>
        <source>Tenths of the channel&apos;s unit: %s is %s %s.</source>
        <translation>以通道单位的十分之一计：%s 即 %s %s。</translation>
    </message>
    <message>
        <source>Any reading outside</source>
        <translation>任一读数超限</translation>
    </message>
    <message>
        <source>One excursion longer than</source>
        <translation>单次超限长于</translation>
    </message>
    <message>
        <source>Outside in all longer than</source>
        <translation>累计超限长于</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>FAIL: the high limit&apos;s rule</source>
        <translation>不合格：上限规则</translation>
    </message>
    <message>
        <source>FAIL: the low limit&apos;s rule</source>
        <translation>不合格：下限规则</translation>
    </message>
    <message>
        <source>No limits set</source>
        <translation>未设置限值</translation>
    </message>
    <message>
        <source>The archive cannot be used: %s Logs are saved, but not recorded.</source>
        <translation>无法使用存档：%s 日志已保存，但未记录。</translation>
    </message>
    <message>
        <source>Archive: unchanged since %1</source>
        <translation>存档：自 %1 以来未更改</translation>
    </message>
    <message>
        <source>Archive: CHANGED since %1</source>
        <translation>存档：自 %1 以来已更改</translation>
    </message>
    <message>
        <source>Archive: not in the archive</source>
        <translation>存档：不在存档中</translation>
    </message>
    <message>
        <source>Archive: the file cannot be read</source>
        <translation>存档：无法读取文件</translation>
    </message>
    <message>
        <source>Archive: cannot be used</source>
        <translation>存档：无法使用</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>历史记录...</translation>
    </message>
    <message>
        <source>The audit trail of the log on show</source>
        <translation>当前日志的审计记录</translation>
    </message>
    <message>
        <source>Sign...</source>
        <translation>签名...</translation>
    </message>
    <message>
        <source>Sign the log on show as reviewed, approved or rejected</source>
        <translation>将当前日志签名为已审核、已批准或已拒绝</translation>
    </message>
    <message>
        <source>The log on show is not saved in a file yet.</source>
        <translation>当前日志尚未保存为文件。</translation>
    </message>
    <message>
        <source>The archive cannot be used: %1</source>
        <translation>无法使用存档：%1</translation>
    </message>
    <message>
        <source>Only a log unchanged since it was recorded can be signed: %1 is %2.</source>
        <translation>只有自记录以来未更改的日志才能签名：%1 %2。</translation>
    </message>
    <message>
        <source>Signed as %1 by %2, entry %3.</source>
        <translation>签名为%1，签名人 %2，条目 %3。</translation>
    </message>
    <message>
        <source>changed since it was recorded</source>
        <translation>自记录以来已更改</translation>
    </message>
    <message>
        <source>not in the archive</source>
        <translation>不在存档中</translation>
    </message>
    <message>
        <source>not readable</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>Reviewed</source>
        <translation>已审核</translation>
    </message>
    <message>
        <source>Approved</source>
        <translation>已批准</translation>
    </message>
    <message>
        <source>Rejected</source>
        <translation>已拒绝</translation>
    </message>
    <message>
        <source>Entry</source>
        <translation>条目</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>详情</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>History of %1</source>
        <translation>%1 的历史记录</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>签名</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>含义</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>备注</translation>
    </message>
</context>
</TS>
