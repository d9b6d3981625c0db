BLUETOOTH_NAME="  a \"b\" \\ \x01"
WIFI_CONFIG_SSID="open
