#!/usr/bin/python3
"""Validates codeplug texts against the schema with Debian's python3-jsonschema.

validate_texts.py SCHEMA good|bad FILE...: exit 0 when every FILE validates (good)
or every FILE is refused (bad); the offenders are printed otherwise. YAML is read
as YAML 1.2 reads it, as editors' YAML support does: On and Off are words, not
booleans.
"""
import json
import re
import sys

import jsonschema
import yaml


class Yaml12Loader(yaml.SafeLoader):
    pass


# YAML 1.1's yes/no/on/off booleans are plain words in YAML 1.2.
Yaml12Loader.yaml_implicit_resolvers = {
    first: [(tag, regexp) for tag, regexp in resolvers if tag != "tag:yaml.org,2002:bool"]
    for first, resolvers in yaml.SafeLoader.yaml_implicit_resolvers.items()
}
Yaml12Loader.add_implicit_resolver(
    "tag:yaml.org,2002:bool", re.compile(r"^(?:true|false)$"), list("tf"))


def main():
    schema_path, expectation, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    wrong = 0
    for name in files:
        with open(name, encoding="utf-8") as f:
            document = yaml.load(f, Loader=Yaml12Loader)
        errors = list(validator.iter_errors(document))
        if expectation == "good" and errors:
            wrong += 1
            print(f"{name}: {errors[0].message} at {list(errors[0].absolute_path)}")
        elif expectation == "bad" and not errors:
            wrong += 1
            print(f"{name}: accepted")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
