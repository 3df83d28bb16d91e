<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>CAPT_VRELMainWnd</name>
    <message>
        <source>Info</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Can not find Manual.</source>
        <translation>找不到用户手册。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Sure to close software</source>
        <translation>确定要关闭软件吗？</translation>
    </message>
</context>
<context>
    <name>CAPT_VRELMainWndClass</name>
    <message>
        <source>VREL</source>
        <translation>设备网络搜索</translation>
    </message>
    <message>
        <source>Online Devices</source>
        <translation>在线设备</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>CBaseDialogClass</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CDlgAbout</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source> v2.00.00.01</source>
        <translation> v2.00.00.01</translation>
    </message>
</context>
<context>
    <name>CDlgAboutClass</name>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Vrel Software</source>
        <translation>Vrel 设备网络搜索软件</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CKelmoApplication</name>
    <message>
        <source>VREL</source>
        <translation>设备网络搜索</translation>
    </message>
    <message>
        <source>Software is already running.</source>
        <translation>软件已在运行。</translation>
    </message>
    <message>
        <source>The least resolution is 1024*768.</source>
        <translation>屏幕分辨率至少为 1024*768。</translation>
    </message>
</context>
<context>
    <name>CPathComboBox</name>
    <message>
        <source>Select Directory</source>
        <translation>选择目录</translation>
    </message>
</context>
<context>
    <name>PathWidget</name>
    <message>
        <source>PathWidget</source>
        <translation>保存路径</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名：</translation>
    </message>
    <message>
        <source>Please select file path:</source>
        <translation>请选择文件路径：</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>The name is invalid</source>
        <translation>文件名无效</translation>
    </message>
    <message>
        <source>The name contains illegal character</source>
        <translation>文件名包含非法字符</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The file name has been used; replace it?</source>
        <translation>该文件名已存在，是否替换？</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Saving failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation>已保存。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>VREL</source>
        <translation>设备网络搜索</translation>
    </message>
</context>
<context>
    <name>QtVrel</name>
    <message>
        <source>ID:%1</source>
        <translation>序号：%1</translation>
    </message>
    <message>
        <source>Device port ranges from 2000 to 65535.</source>
        <translation>设备端口范围为 2000 到 65535。</translation>
    </message>
    <message>
        <source>Http port ranges from 1 to 65535.</source>
        <translation>HTTP 端口范围为 1 到 65535。</translation>
    </message>
    <message>
        <source>Activate device</source>
        <translation>激活设备</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>已激活</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>未激活</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>不适用</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Please select a device.</source>
        <translation>请选择设备。</translation>
    </message>
    <message>
        <source>File path cannot be empty.</source>
        <translation>文件路径不能为空。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Row error!</source>
        <translation>行错误！</translation>
    </message>
    <message>
        <source>Get key error.</source>
        <translation>获取设备密钥失败。</translation>
    </message>
    <message>
        <source>Create device key file error.</source>
        <translation>创建设备密钥文件失败。</translation>
    </message>
    <message>
        <source>Exported.</source>
        <translation>已导出。</translation>
    </message>
    <message>
        <source>The key file path is too long.</source>
        <translation>密钥文件路径过长。</translation>
    </message>
    <message>
        <source>IP address cannot be empty.</source>
        <translation>IP 地址不能为空。</translation>
    </message>
    <message>
        <source>IP Address not correct.</source>
        <translation>IP 地址不正确。</translation>
    </message>
    <message>
        <source>Subnet mask cannot be empty.</source>
        <translation>子网掩码不能为空。</translation>
    </message>
    <message>
        <source>Subnet Mask not correct.</source>
        <translation>子网掩码不正确。</translation>
    </message>
    <message>
        <source>Gateway not correct.</source>
        <translation>网关不正确。</translation>
    </message>
    <message>
        <source>IPv6 Address not correct.</source>
        <translation>IPv6 地址不正确。</translation>
    </message>
    <message>
        <source>IPv6 gateway not correct.</source>
        <translation>IPv6 网关不正确。</translation>
    </message>
    <message>
        <source>IPv6 prefix length ranges from 0 to 64.</source>
        <translation>IPv6 前缀长度范围为 0 到 64。</translation>
    </message>
    <message numerus="yes">
        <source>Not enough addresses after the start address for %n devices.</source>
        <translation><numerusform>起始地址之后的可用地址不足以分配给 %n 台设备。</numerusform></translation>
    </message>
    <message>
        <source>Modify network parameter failed!</source>
        <translation>修改网络参数失败！</translation>
    </message>
    <message>
        <source>Modify network parameter succeed.</source>
        <translation>修改网络参数成功。</translation>
    </message>
    <message>
        <source>Valid password range [8-16]. You can use a combination of numbers, </source>
        <translation>密码长度为 8 到 16 位，可由数字、</translation>
    </message>
    <message>
        <source>lowercase, uppercase and special character for </source>
        <translation>小写字母、大写字母和特殊字符组合而成，</translation>
    </message>
    <message>
        <source>your password with at least two kinds of them contained.</source>
        <translation>且至少包含其中两种。</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>弱</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>强</translation>
    </message>
    <message>
        <source>The password can not be empty.</source>
        <translation>密码不能为空。</translation>
    </message>
    <message>
        <source>The password you typed do not match.</source>
        <translation>两次输入的密码不一致。</translation>
    </message>
    <message>
        <source>Reset password succeed.</source>
        <translation>重置密码成功。</translation>
    </message>
    <message>
        <source>Restore default password succeed.</source>
        <translation>恢复默认密码成功。</translation>
    </message>
    <message>
        <source>Reset password failed.</source>
        <translation>重置密码失败。</translation>
    </message>
    <message>
        <source>Restore default password failed!</source>
        <translation>恢复默认密码失败！</translation>
    </message>
    <message>
        <source>Password cannot be empty.</source>
        <translation>密码不能为空。</translation>
    </message>
    <message>
        <source>The device is activated.</source>
        <translation>设备已激活。</translation>
    </message>
    <message>
        <source>Operation failed.</source>
        <translation>操作失败。</translation>
    </message>
    <message>
        <source>No activate device.</source>
        <translation>没有需要激活的设备。</translation>
    </message>
    <message>
        <source>Start IP Address:</source>
        <translation>起始 IP 地址：</translation>
    </message>
    <message>
        <source>Batch Modify Network parameters</source>
        <translation>批量修改网络参数</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Modify Network parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>Reset Default Password</source>
        <translation>恢复默认密码</translation>
    </message>
    <message>
        <source>Reset Password</source>
        <translation>重置密码</translation>
    </message>
</context>
<context>
    <name>QtVrelClass</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>The total devices number:</source>
        <translation>设备总数：</translation>
    </message>
    <message>
        <source>Save as Excel</source>
        <translation>导出为 Excel</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Modify Network parameters</source>
        <translation>修改网络参数</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>子网掩码：</translation>
    </message>
    <message>
        <source>Gateway:</source>
        <translation>网关：</translation>
    </message>
    <message>
        <source>IPv6 Address:</source>
        <translation>IPv6 地址：</translation>
    </message>
    <message>
        <source>IPv6 Gateway:</source>
        <translation>IPv6 网关：</translation>
    </message>
    <message>
        <source>IPv6 Prefix Length:</source>
        <translation>IPv6 前缀长度：</translation>
    </message>
    <message>
        <source>Http Port:</source>
        <translation>HTTP 端口：</translation>
    </message>
    <message>
        <source>Device Serial:</source>
        <translation>设备序列号：</translation>
    </message>
    <message>
        <source>Enable DHCP</source>
        <translation>启用 DHCP</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Reset Default Password</source>
        <translation>恢复默认密码</translation>
    </message>
    <message>
        <source>Security code:</source>
        <translation>安全码：</translation>
    </message>
    <message>
        <source>New Password:</source>
        <translation>新密码：</translation>
    </message>
    <message>
        <source>Confirm Password:</source>
        <translation>确认密码：</translation>
    </message>
    <message>
        <source>Comeback</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Enable DHCP in Batch</source>
        <translation>批量启用 DHCP</translation>
    </message>
</context>
<context>
    <name>QtVrelItemModel</name>
    <message>
        <source>ID</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>IPv4 Address</source>
        <translation>IPv4 地址</translation>
    </message>
    <message>
        <source>Safety state</source>
        <translation>安全状态</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Soft Vision</source>
        <translation>软件版本</translation>
    </message>
    <message>
        <source>IPv4 GateWay</source>
        <translation>IPv4 网关</translation>
    </message>
    <message>
        <source>Http Port</source>
        <translation>HTTP 端口</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>IPv4 Mask</source>
        <translation>IPv4 子网掩码</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Channel NO</source>
        <translation>通道数</translation>
    </message>
    <message>
        <source>DSP Vision</source>
        <translation>DSP 版本</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>IPv6 Address</source>
        <translation>IPv6 地址</translation>
    </message>
    <message>
        <source>IPv6 GateWay</source>
        <translation>IPv6 网关</translation>
    </message>
    <message>
        <source>IPv6 Prefix Length</source>
        <translation>IPv6 前缀长度</translation>
    </message>
    <message>
        <source>Is Support IPv6</source>
        <translation>支持 IPv6</translation>
    </message>
    <message>
        <source>Is Support Mod IPv6</source>
        <translation>支持修改 IPv6</translation>
    </message>
    <message>
        <source>Is Support DHCP</source>
        <translation>支持 DHCP</translation>
    </message>
    <message>
        <source>IPv4 DHCP</source>
        <translation>IPv4 DHCP</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
</context>
</TS>