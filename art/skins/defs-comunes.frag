    <linearGradient id="placa" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{ACENTO}}"/>
      <stop offset="0.5" stop-color="{{ACENTO}}" stop-opacity="0.85"/>
      <stop offset="1" stop-color="{{ACENTO_OSCURO}}"/>
    </linearGradient>
    <linearGradient id="oro" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{ORO_CLARO}}"/>
      <stop offset="0.55" stop-color="{{ORO}}"/>
      <stop offset="1" stop-color="{{ORO_OSCURO}}"/>
    </linearGradient>
    <linearGradient id="filaActual" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="{{ACENTO}}" stop-opacity="0.95"/>
      <stop offset="0.7" stop-color="{{ACENTO}}" stop-opacity="0.45"/>
      <stop offset="1" stop-color="{{ACENTO}}" stop-opacity="0"/>
    </linearGradient>
    <linearGradient id="estante" x1="0" y1="54" x2="0" y2="158" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{{ESTANTE_ALTO}}"/>
      <stop offset="1" stop-color="{{ESTANTE_BAJO}}"/>
    </linearGradient>
    <linearGradient id="barra" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{BARRA_LUZ}}"/>
      <stop offset="1" stop-color="{{BARRA}}"/>
    </linearGradient>
