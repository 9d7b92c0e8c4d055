<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Strings</name>
    <message>
        <source>STR_CLI_UNKNOWN_COMMAND</source>
        <translation>未知命令“%1”；可用的命令：%2</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NEEDS_VALUE</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NUMBER</source>
        <translation>%1 需要 %2 到 %3 之间的数字，而不是“%4”</translation>
    </message>
    <message>
        <source>STR_CLI_OPTION_NOT_FOR_COMMAND</source>
        <translation>%1 不是 %2 的选项</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_OPTION</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_AXIS</source>
        <translation>--axis 的值应为 X、Y、Z 或 all，而不是“%1”</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_FORMAT</source>
        <translation>--format 的值应为 text、csv 或 json，而不是“%1”</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_NO_MODEL</source>
        <translation>“%1”：sim: 后需要型号，例如 sim:SD220</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_UNKNOWN</source>
        <translation>“%1”不是驱动器：驱动器写作 sim:型号、tcp:主机:端口[/站号] 或 rtu:设备[:波特率[:校验]][/站号]</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_UNIT</source>
        <translation>“%1”：站号“%2”不是 1 到 %3 之间的数字</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_TCP</source>
        <translation>“%1”：Modbus TCP 驱动器写作 tcp:主机:端口[/站号]，端口为 1 到 65535</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_RTU</source>
        <translation>“%1”：Modbus RTU 驱动器写作 rtu:设备[:波特率[:校验]][/站号]</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_BAUD</source>
        <translation>“%1”：波特率“%2”不是数字</translation>
    </message>
    <message>
        <source>STR_CLI_ADDRESS_BAD_PARITY</source>
        <translation>“%1”：校验方式“%2”不是 none、even 或 odd</translation>
    </message>
    <message>
        <source>STR_CLI_MODEL_MISMATCH</source>
        <translation>%1 是 %2 型号的驱动器，但 --model 指定的是 %3</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_MODEL</source>
        <translation>没有驱动器型号“%1”；可用的型号：%2</translation>
    </message>
    <message>
        <source>STR_CLI_NO_MODELS</source>
        <translation>在 %1 中没有找到驱动器描述文件</translation>
    </message>
    <message>
        <source>STR_CLI_LINK_REFUSED</source>
        <translation>无法连接 %1：%2</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_REACHED</source>
        <translation>%1 在 %2 毫秒内没有应答</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_IS_OTHER_MODEL</source>
        <translation>%1 报告自己是 %2，而不是指定的 %3</translation>
    </message>
    <message>
        <source>STR_CLI_IDENTITY_UNKNOWN</source>
        <translation>%1 报告的标识号为 %2，%3 中没有该标识号的驱动器描述</translation>
    </message>
    <message>
        <source>STR_CLI_IDENTITY_MISSING</source>
        <translation>%1 没有报告其型号；请用 --model 指定</translation>
    </message>
    <message>
        <source>STR_CLI_DATABASES_NOT_USED</source>
        <translation>未使用 %1 中的数据库：%2</translation>
    </message>
    <message>
        <source>STR_CLI_SEE_HELP</source>
        <translation>运行“servo-cli %1 --help”查看用法和示例。</translation>
    </message>
    <message>
        <source>STR_CLI_USAGE</source>
        <translation>用法：servo-cli %1</translation>
    </message>
    <message>
        <source>STR_CLI_NO_SUCH_AXIS</source>
        <translation>%1 没有 %2 轴：它只有 %3 个轴</translation>
    </message>
    <message>
        <source>STR_CLI_YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>STR_CLI_NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>STR_CLI_FIELD</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>STR_CLI_VALUE</source>
        <translation>值</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_DRIVE</source>
        <translation>驱动器</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_LINK</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_MODEL</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_VERSION</source>
        <translation>配置版本</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_AXES</source>
        <translation>轴数</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_ONLINE</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_IDENTITY</source>
        <translation>固件标识</translation>
    </message>
    <message>
        <source>STR_CLI_INFO_FINGERPRINT</source>
        <translation>参数指纹</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ_CODES</source>
        <translation>有 %1 个数值无法读取：%2</translation>
    </message>
    <message>
        <source>STR_CLI_UNKNOWN_NUMBER</source>
        <translation>未知功能码 %1：%2 没有这个功能码</translation>
    </message>
    <message>
        <source>STR_CLI_NUMBER_ABOVE_AUTHORITY</source>
        <translation>%1 超出当前权限</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ</source>
        <translation>（未读取）</translation>
    </message>
    <message>
        <source>STR_CLI_NUMBER</source>
        <translation>功能码</translation>
    </message>
    <message>
        <source>STR_CLI_NAME</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>STR_CLI_AXIS</source>
        <translation>轴</translation>
    </message>
    <message>
        <source>STR_CLI_RAW</source>
        <translation>原始值</translation>
    </message>
    <message>
        <source>STR_CLI_UNIT</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>STR_CLI_HELP</source>
        <translation>用法：servo-cli 命令 [操作数] [选项]
在脚本中完成工作台的日常工作，无需屏幕。

命令：
  info 驱动器                    型号、配置版本、轴数、在线状态、固件标识、参数指纹
  read 驱动器 [功能码...]        按工作台的显示方式读取数值
  write 驱动器 功能码 数值       写入一个数值：按工作台的编辑进行检查，写入并读回
  backup 驱动器 文件             把驱动器的参数保存到功能码文件
  restore 驱动器 文件            按工作台的导入方式把功能码文件写入驱动器
  compare A B                    比较驱动器或文件与驱动器或文件
  download 源 --to 驱动器...     把文件或驱动器的参数下载到多台驱动器
  faults 驱动器                  当前故障；加 --history 显示解码后的故障历史
  fingerprint 驱动器|文件        参数集的 SHA-256 指纹

运行“servo-cli 命令 --help”查看各命令的选项和示例。
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_DRIVES</source>
        <translation>驱动器和文件：
  sim:型号                           servo-cli 内部的仿真驱动器（任一随附型号）
  tcp:主机:端口[/站号]               Modbus TCP（默认站号 1）
  rtu:设备[:波特率[:校验]][/站号]    Modbus RTU（默认 115200 波特、偶校验、站号 1）
  文件                               .csv、.xlsx 或 .funcodeservo 功能码文件，按后缀区分
总线驱动器会报告自己的型号；不报告型号的驱动器用 --model 指定。
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_COMMON</source>
        <translation>所有命令的选项：
  --data-dir 目录  设置、数据库和日志所在目录（默认：工作台的数据目录）
  --timeout 毫秒   等待驱动器上线及每次应答的时间（默认 5000）
  --model 型号     所指驱动器的型号
  --quiet          不输出提示信息和进度条（仍输出错误）
  --help           显示本帮助
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_EXIT</source>
        <translation>退出状态：0 成功，1 发现差异（compare），2 用法错误，3 驱动器无法连接或未能完整读取，4 文件被拒绝，5 部分写入失败。
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_INFO</source>
        <translation>用法：servo-cli info 驱动器 [--format text|csv|json]

显示驱动器的型号、配置版本、轴数、在线状态、固件标识及其参数集的指纹（为此会读取全部参数）。

示例：
  servo-cli info tcp:192.168.1.20:502
  servo-cli info rtu:/dev/ttyUSB0:115200:even/3 --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_READ</source>
        <translation>用法：servo-cli read 驱动器 [功能码...] [--axis X|Y|Z|all] [--format text|csv|json]

读取功能码并按工作台的显示方式输出数值；csv 和 json 格式另含原始值。不指定功能码时读取当前权限下
可见的全部功能码。无法读取的数值显示为未读取，退出状态为 3。

示例：
  servo-cli read tcp:127.0.0.1:1502 P01.02 P01.03
  servo-cli read sim:SD330 --axis Y --format csv &gt; values.csv
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_WRITE</source>
        <translation>用法：servo-cli write 驱动器 功能码 数值 [--axis X|Y|Z] [--save]

按工作台写入编辑值的方式写入一个数值：先检查范围、读写属性、驱动器状态和权限，然后写入、读回，
并记录到数据目录的修改记录中。数值为显示值（25.0、0x00FF、2 或 2:Torque control）。
--axis 指定轴（默认 X）；--save 写入后保存驱动器参数。

示例：
  servo-cli write tcp:127.0.0.1:1502 P01.02 25.0
  servo-cli write rtu:/dev/ttyUSB0/2 P02.04 60 --axis Y --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_BACKUP</source>
        <translation>用法：servo-cli backup 驱动器 文件

读取驱动器的全部参数，按工作台导出的格式写入功能码文件（按后缀为 .csv、.xlsx 或 .funcodeservo）。
任何数值无法读取即为错误，此时不写入任何内容。

示例：
  servo-cli backup tcp:10.0.0.7:502 line3-axis1.funcodeservo
  servo-cli backup rtu:/dev/ttyUSB0 drive.csv
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_RESTORE</source>
        <translation>用法：servo-cli restore 驱动器 文件 [--dry-run] [--only-differing] [--save] [--reset] [--format ...]

按工作台的导入方式把功能码文件写入驱动器：文件必须适用于该驱动器型号和当前权限；先写入并校验电机
类型，再写入并读回每个功能码。--dry-run 列出将要改变的功能码（文件值、驱动器值）而不写入；
--only-differing 只写入这些功能码；--save 写入后保存参数，--reset 随后复位驱动器。

示例：
  servo-cli restore tcp:10.0.0.8:502 line3-axis1.funcodeservo --dry-run
  servo-cli restore tcp:10.0.0.8:502 line3-axis1.funcodeservo --only-differing --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_COMPARE</source>
        <translation>用法：servo-cli compare A B [--all] [--format text|csv|json]

比较两个来源（驱动器或功能码文件）在双方都有的每个轴上的数值。列出不同的功能码（加 --all 列出全部）；
只在一方存在的功能码算作不同。有任何不同时退出状态为 1，完全相同时为 0。

示例：
  servo-cli compare tcp:10.0.0.7:502 tcp:10.0.0.8:502
  servo-cli compare golden.funcodeservo rtu:/dev/ttyUSB0 --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_DOWNLOAD</source>
        <translation>用法：servo-cli download 文件|驱动器 --to 驱动器... [--jobs N] [--save] [--reset] [--format ...]

按工作台批量下载的方式把一套参数写入多台同型号驱动器：先写电机类型，再写每个功能码，每块写入后读回。
每台驱动器给出各自的结论和失败的功能码；一台失败不影响其他驱动器，掉线的驱动器有 10 秒时间恢复。
--jobs 指定同时下载的驱动器数。--save 和 --reset 保存并复位下载成功的驱动器。

示例：
  servo-cli download golden.funcodeservo --to tcp:10.0.0.11:502 tcp:10.0.0.12:502 --jobs 2
  servo-cli download tcp:10.0.0.7:502 --to rtu:/dev/ttyUSB0/1 rtu:/dev/ttyUSB0/2 --save
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_FAULTS</source>
        <translation>用法：servo-cli faults 驱动器 [--history] [--axis X|Y|Z|all] [--format text|csv|json]

显示驱动器的当前故障（故障码、名称、轴、时间、原因、处理方法）；--history 另外显示各轴的故障历史，
每条记录按当前使用的历史记录格式解码。

示例：
  servo-cli faults tcp:127.0.0.1:1502
  servo-cli faults rtu:/dev/ttyUSB0 --history --axis X --format json
</translation>
    </message>
    <message>
        <source>STR_CLI_HELP_FINGERPRINT</source>
        <translation>用法：servo-cli fingerprint 驱动器|文件 [--format text|csv|json]

参数集的 SHA-256 指纹：型号、配置版本以及当前权限下可见的每个参数在每个轴上的原始值，按功能码顺序。
驱动器与其备份文件的指纹相同。任何数值未知时指纹不可用（驱动器退出状态为 3，文件为 4）。

示例：
  servo-cli fingerprint tcp:10.0.0.7:502
  servo-cli fingerprint line3-axis1.funcodeservo
</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_REFUSED</source>
        <translation>%1 被拒绝：%2</translation>
    </message>
    <message>
        <source>STR_CLI_SOURCE_PROBLEM</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>STR_CLI_SOURCE</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_GONE</source>
        <translation>驱动器已不存在</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_DID_NOT_COME_BACK</source>
        <translation>驱动器掉线，%1 秒内没有恢复</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_WRITTEN</source>
        <translation>未写入</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_READ_BACK</source>
        <translation>已写入，但未读回</translation>
    </message>
    <message>
        <source>STR_CLI_READ_BACK_FAILED</source>
        <translation>已写入，但读回失败：%1</translation>
    </message>
    <message>
        <source>STR_CLI_READS_BACK_OTHER</source>
        <translation>驱动器中的值为 %1，而不是 %2</translation>
    </message>
    <message>
        <source>STR_CLI_RANGE</source>
        <translation>%1 到 %2 %3</translation>
    </message>
    <message>
        <source>STR_CLI_VALUE_OUT_OF_RANGE</source>
        <translation>%1 超出 %2 的范围：%3</translation>
    </message>
    <message>
        <source>STR_CLI_WRITE_REFUSED</source>
        <translation>%1 不能写入：%2</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_REFUSES_WRITES</source>
        <translation>%1 当前拒绝写入：%2</translation>
    </message>
    <message>
        <source>STR_CLI_BAD_VALUE</source>
        <translation>“%1”不是 %2 的有效值（%3）</translation>
    </message>
    <message>
        <source>STR_CLI_BEFORE</source>
        <translation>写入前</translation>
    </message>
    <message>
        <source>STR_CLI_AFTER</source>
        <translation>写入后</translation>
    </message>
    <message>
        <source>STR_CLI_CODE_FAILED</source>
        <translation>%1（%2）：%3</translation>
    </message>
    <message>
        <source>STR_CLI_SAVE_FAILED</source>
        <translation>%1 未能保存参数</translation>
    </message>
    <message>
        <source>STR_CLI_NOTHING_WRITTEN</source>
        <translation>没有向 %1 写入任何内容。</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_NOT_WRITTEN</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>STR_CLI_BACKUP_WRITTEN</source>
        <translation>已将 %2 的 %1 个功能码写入 %3</translation>
    </message>
    <message>
        <source>STR_CLI_FILE</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>STR_CLI_CODES</source>
        <translation>功能码数</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_VALUE_UNKNOWN</source>
        <translation>文件中有从未读取过的数值：%1</translation>
    </message>
    <message>
        <source>STR_CLI_DIFFERS</source>
        <translation>不同</translation>
    </message>
    <message>
        <source>STR_CLI_COMPARED</source>
        <translation>比较了 %1 个功能码，%2 个不同</translation>
    </message>
    <message>
        <source>STR_CLI_FAULTS_NOT_READ</source>
        <translation>无法读取 %1 的故障</translation>
    </message>
    <message>
        <source>STR_CLI_NO_CURRENT_FAULTS</source>
        <translation>没有当前故障。</translation>
    </message>
    <message>
        <source>STR_CLI_DOWNLOAD_FAILED</source>
        <translation>%2 台驱动器中有 %1 台失败</translation>
    </message>
    <message>
        <source>STR_CLI_DOWNLOAD_PROGRESS</source>
        <translation>驱动器 %1/%2</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_DONE</source>
        <translation>%1：完成</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_FAILED</source>
        <translation>%1：失败</translation>
    </message>
    <message>
        <source>STR_CLI_DRIVE_VALUE</source>
        <translation>驱动器值</translation>
    </message>
    <message>
        <source>STR_CLI_DRY_RUN</source>
        <translation>将有 %1 个功能码改变；未写入任何内容</translation>
    </message>
    <message>
        <source>STR_CLI_FILE_VALUE</source>
        <translation>文件值</translation>
    </message>
    <message>
        <source>STR_CLI_MOTOR_TYPE_FAILED</source>
        <translation>无法设置电机类型：%1；未写入其他内容</translation>
    </message>
    <message>
        <source>STR_CLI_NOT_SOURCE_MODEL</source>
        <translation>驱动器型号为 %1，而参数集适用于 %2</translation>
    </message>
    <message>
        <source>STR_CLI_REASON</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>STR_CLI_RESET_FAILED</source>
        <translation>%1 未能复位</translation>
    </message>
    <message>
        <source>STR_CLI_RESTORED</source>
        <translation>已向 %2 写入 %1 个功能码</translation>
    </message>
    <message>
        <source>STR_CLI_RESTORE_FAILED</source>
        <translation>%2 中有 %1 个数值未写入成功</translation>
    </message>
    <message>
        <source>STR_CLI_TARGET_TWICE</source>
        <translation>%1 被指定了两次</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT</source>
        <translation>结论</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT_FAILED</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>STR_CLI_VERDICT_OK</source>
        <translation>成功</translation>
    </message>
</context>
</TS>
