"""The application manifest compiled into Tessary.exe, read back with an XML
parser as Windows reads it: Wine starts a program whatever its manifest says,
Windows refuses one whose manifest is malformed and ignores an element in the
wrong namespace. Usage: check_manifest.py MANIFEST RESOURCE_SCRIPT"""
import re
import sys
import xml.etree.ElementTree as ET

manifest, script = sys.argv[1], sys.argv[2]
NS = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
      "compat": "urn:schemas-microsoft-com:compatibility.v1",
      "ws": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
      "ws2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
WINDOWS_7_TO_11 = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
problems = []


def expect(what, ok):
    if not ok:
        problems.append(what)


rc = [line.split() for line in open(script) if line.strip() and not line.lstrip().startswith("//")]
expect("the resource script compiles the manifest as resource 1 of type 24",
       rc == [["1", "24", '"%s"' % manifest]])

root = ET.parse(manifest).getroot()  # raises on a malformed manifest
expect("the root is an asm.v1 assembly of manifest version 1.0",
       root.tag == "{%s}assembly" % NS["v1"] and root.get("manifestVersion") == "1.0")
identity = root.find("v1:assemblyIdentity", NS)
# Windows refuses to start a program whose own version has fewer parts.
expect("the program's identity has a four-part version",
       identity is not None and re.fullmatch(r"\d{1,5}(\.\d{1,5}){3}", identity.get("version", "")))
level = root.find("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel", NS)
expect("it runs as invoker", level is not None and level.get("level") == "asInvoker")
listed = {os.get("Id") for os in root.findall("compat:compatibility/compat:application/compat:supportedOS", NS)}
expect("Windows 7 to 11 are listed as supported", listed == WINDOWS_7_TO_11)
settings = "v3:application/v3:windowsSettings/"
aware = root.find(settings + "ws2016:dpiAwareness", NS)
expect("it is aware of each monitor's DPI (v2)", aware is not None and aware.text.strip() == "PerMonitorV2")
fallback = root.find(settings + "ws:dpiAware", NS)
expect("older Windows give it the system's DPI", fallback is not None and fallback.text.strip() == "true")
controls = root.find("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", NS)
expect("it depends on Common Controls 6", controls is not None and
       (controls.get("type"), controls.get("name"), controls.get("version"), controls.get("publicKeyToken")) ==
       ("win32", "Microsoft.Windows.Common-Controls", "6.0.0.0", "6595b64144ccf1df"))

for p in problems:
    print("manifest: expected that " + p)
sys.exit(1 if problems else 0)
