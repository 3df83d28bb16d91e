<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>CAPT_VRELMainWnd</name>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not find Manual.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sure to close software</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CAPT_VRELMainWndClass</name>
    <message>
        <source>VREL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online Devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBaseDialogClass</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDlgAbout</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> v2.00.00.01</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDlgAboutClass</name>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vrel Software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CKelmoApplication</name>
    <message>
        <source>VREL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software is already running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The least resolution is 1024*768.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPathComboBox</name>
    <message>
        <source>Select Directory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PathWidget</name>
    <message>
        <source>PathWidget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select file path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name contains illegal character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file name has been used; replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VREL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtVrel</name>
    <message>
        <source>ID:%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device port ranges from 2000 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Http port ranges from 1 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N/A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File path cannot be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get key error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create device key file error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The key file path is too long.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address cannot be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet mask cannot be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet Mask not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Address not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 gateway not correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 prefix length ranges from 0 to 64.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Not enough addresses after the start address for %n devices.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Modify network parameter failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify network parameter succeed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid password range [8-16]. You can use a combination of numbers, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lowercase, uppercase and special character for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your password with at least two kinds of them contained.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password can not be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password you typed do not match.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset password succeed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore default password succeed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset password failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore default password failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password cannot be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device is activated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No activate device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch Modify Network parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify Network parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Default Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtVrelClass</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The total devices number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify Network parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Gateway:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Prefix Length:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Http Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Serial:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable DHCP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Default Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security code:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comeback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable DHCP in Batch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtVrelItemModel</name>
    <message>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safety state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soft Vision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 GateWay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Http Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel NO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP Vision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 GateWay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv6 Prefix Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is Support IPv6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is Support Mod IPv6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is Support DHCP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IPv4 DHCP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
